#pragma once

#include <QString>
#include <optional>

namespace tokivane {

// What keeps this process, with its command line and environment, from
// opening its window, in one line for the terminal; nothing when it can.
std::optional<QString> startupProblem(int argc, char** argv);

} // namespace tokivane
