#pragma once

#include <QFont>

namespace tokivane {

inline constexpr double kFormFontPointSize = 9.75;

// The window's Mincho font. Named families are tried in order, so a machine
// without the Windows Mincho still shows Mincho kanji and digits instead of
// falling back to a Gothic face.
QFont formFont();

} // namespace tokivane
