#pragma once

#include <QString>
#include <optional>

namespace tokivane {

// Without a display Qt aborts with a long diagnostic; say in one line what to
// do instead. No message when a display, or a chosen Qt platform, is there.
std::optional<QString> missingDisplayMessage();

} // namespace tokivane
