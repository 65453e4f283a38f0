#include "startup_check.h"

namespace tokivane {

// Windows and macOS always give a program their desktop's display, and Qt
// reports its own rare failures there in a message box.
std::optional<QString> startupProblem(int, char**) {
    return std::nullopt;
}

} // namespace tokivane
