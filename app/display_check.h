#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tokivane {

// What decides which display the program needs, as the environment gives it.
struct DisplaySettings {
    QString platform;       // QT_QPA_PLATFORM: empty, or Qt platforms separated by ';'
    QString x11Display;     // DISPLAY
    QString waylandDisplay; // WAYLAND_DISPLAY
    // What named the X display, for the message when nothing answers there.
    QString x11DisplayNamedBy = QStringLiteral("DISPLAY");
};

// Qt's own command-line options -platform and -display (also written with
// two dashes) stand before the environment, as Qt itself reads them.
DisplaySettings withQtOptions(DisplaySettings settings, const QStringList& arguments);

inline constexpr QStringView kNoDisplayMessage =
    u"tokivane: no graphical display; start it from a desktop session, or under a virtual "
    u"display: xvfb-run -a tokivane";

// Without a display Qt aborts with a long diagnostic; this says in one line
// what is wrong instead. Nothing when the program can open its window, or
// when Qt may use a platform other than X11 or Wayland. A Wayland display
// named is left for Qt to reach; an X display alone is tried: `x11Answers`
// tells whether an X server answers on the display it is given.
std::optional<QString> displayProblem(const DisplaySettings& settings,
                                      const std::function<bool(const QString&)>& x11Answers);

} // namespace tokivane
