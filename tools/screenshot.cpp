// Saves a picture of the main window as a PNG, for the README and for a
// person to look at. By default it renders the window offscreen after the
// typical run (today 25/11/15, record date 2/29 completed with Enter, Execute
// with "20日"); with --screen it takes the screen of the display it runs on
// instead, such as the virtual display that ./scripts/run opened.
#include "form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <cstring>

namespace {

QPixmap sampleRun() {
    using namespace std::chrono;
    tokivane::FixedClock clock{year{2025} / November / day{15}};
    tokivane::Form1 form(clock);
    form.show();

    auto* record = form.findChild<QLineEdit*>(QStringLiteral("Text2"));
    record->setText(QStringLiteral("2/29"));
    QTest::keyClick(record, Qt::Key_Return);
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    return form.grab();
}

QPixmap wholeScreen() {
    return QGuiApplication::primaryScreen()->grabWindow(0);
}

} // namespace

int main(int argc, char* argv[]) {
    const bool screen = argc == 3 && std::strcmp(argv[1], "--screen") == 0;
    if (argc != 2 && !screen) {
        std::fprintf(stderr, "usage: tokivane_screenshot [--screen] OUTPUT.png\n");
        return 2;
    }
    QApplication app(argc, argv);
    const char* output = argv[argc - 1];
    if (!(screen ? wholeScreen() : sampleRun()).save(QString::fromLocal8Bit(output))) {
        std::fprintf(stderr, "could not write %s\n", output);
        return 1;
    }
    return 0;
}
