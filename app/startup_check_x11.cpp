#include "display_check.h"
#include "startup_check.h"
#include "x11_probe.h"

#include <QStringList>
#include <QtGlobal>

namespace tokivane {

// Where Qt uses X11 or Wayland, a display must be named and, for X11, answer.
std::optional<QString> startupProblem(int argc, char** argv) {
    QStringList arguments;
    for (int at = 1; at < argc; ++at)
        arguments.append(QString::fromLocal8Bit(argv[at]));
    const DisplaySettings environment{qEnvironmentVariable("QT_QPA_PLATFORM"),
                                      qEnvironmentVariable("DISPLAY"),
                                      qEnvironmentVariable("WAYLAND_DISPLAY")};
    return displayProblem(withQtOptions(environment, arguments), x11DisplayAnswers);
}

} // namespace tokivane
