// Renders the main window offscreen after the typical run (today 25/11/15,
// record date 2/29 completed with Enter, Execute with "20日") and saves it as
// a PNG, for the README and for a person to look at.
#include "form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tokivane_screenshot OUTPUT.png\n");
        return 2;
    }
    QApplication app(argc, argv);
    using namespace std::chrono;
    tokivane::FixedClock clock{year{2025} / November / day{15}};
    tokivane::Form1 form(clock);
    form.show();

    auto* record = form.findChild<QLineEdit*>(QStringLiteral("Text2"));
    record->setText(QStringLiteral("2/29"));
    QTest::keyClick(record, Qt::Key_Return);
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);

    if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
