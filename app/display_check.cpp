#include "app/display_check.h"

#include <QtGlobal>

namespace tokivane {

std::optional<QString> missingDisplayMessage() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return std::nullopt;
    return QStringLiteral(
        "tokivane: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
        "run it under a virtual display: xvfb-run -a ./scripts/run");
}

} // namespace tokivane
