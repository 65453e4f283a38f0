#include "app/display_check.h"
#include "app/form1.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (const auto problem = tokivane::missingDisplayMessage()) {
        std::fprintf(stderr, "%s\n", problem->toLocal8Bit().constData());
        return 1;
    }
    QApplication app(argc, argv);
    tokivane::SystemClock clock;
    tokivane::Form1 form(clock);
    form.show();
    return app.exec();
}
