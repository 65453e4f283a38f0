#include "display_check.h"

#include <QStringList>
#include <algorithm>

namespace tokivane {

namespace {

// The platform names of QT_QPA_PLATFORM, without their options ("xcb:opt").
QStringList platformNames(const QString& platform) {
    QStringList names;
    for (const QString& entry : platform.split(u';', Qt::SkipEmptyParts))
        names.append(entry.section(u':', 0, 0).trimmed());
    return names;
}

} // namespace

DisplaySettings withQtOptions(DisplaySettings settings, const QStringList& arguments) {
    for (qsizetype at = 0; at + 1 < arguments.size(); ++at) {
        QString option = arguments[at];
        if (option.startsWith(u"--"))
            option.remove(0, 1);
        if (option == u"-platform") {
            settings.platform = arguments[at + 1];
        } else if (option == u"-display") {
            settings.x11Display = arguments[at + 1];
            settings.x11DisplayNamedBy = QStringLiteral("-display");
        }
    }
    return settings;
}

std::optional<QString> displayProblem(const DisplaySettings& settings,
                                      const std::function<bool(const QString&)>& x11Answers) {
    const QStringList names = platformNames(settings.platform);
    const auto isX11 = [](const QString& name) { return name == u"xcb"; };
    const auto isWayland = [](const QString& name) { return name.startsWith(u"wayland"); };
    // Any other platform (offscreen, vnc, eglfs...) is Qt's to open, also as
    // a fallback after X11 or Wayland.
    if (!std::ranges::all_of(names,
                             [&](const QString& name) { return isX11(name) || isWayland(name); }))
        return std::nullopt;
    // Unset, Qt picks X11 or Wayland by itself.
    const bool mayUseX11 = names.isEmpty() || std::ranges::any_of(names, isX11);
    const bool mayUseWayland = names.isEmpty() || std::ranges::any_of(names, isWayland);

    const bool x11Named = mayUseX11 && !settings.x11Display.isEmpty();
    const bool waylandNamed = mayUseWayland && !settings.waylandDisplay.isEmpty();
    if (!x11Named && !waylandNamed)
        return kNoDisplayMessage.toString();
    // A Wayland compositor named is left for Qt to reach.
    if (waylandNamed || x11Answers(settings.x11Display))
        return std::nullopt;
    return QStringLiteral(
               "tokivane: nothing answers on display %1 (named by %2); start it "
               "from a desktop session, or under a virtual display: xvfb-run -a tokivane")
        .arg(settings.x11Display, settings.x11DisplayNamedBy);
}

} // namespace tokivane
