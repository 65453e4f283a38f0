#include "form1.h"
#include "form_font.h"
#include "startup_check.h"

#include <QApplication>
#include <cstdio>

namespace {

void report(const QString& problem) {
    std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char* argv[]) {
    if (const auto problem = tokivane::startupProblem(argc, argv)) {
        report(*problem);
        return 1;
    }
    QApplication app(argc, argv);
    tokivane::SystemClock clock;
    tokivane::Form1 form(clock);
    // Boxes instead of captions are still a window; say what would mend it.
    if (const auto problem = tokivane::missingJapaneseFontMessage(form.font()))
        report(*problem);
    form.show();
    return app.exec();
}
