#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

namespace tokivane {

inline constexpr double kFormFontPointSize = 9.75;

// The window's Mincho font. Named families are tried in order, so a machine
// without the Windows Mincho still shows Mincho kanji and digits instead of
// falling back to a Gothic face.
QFont formFont();

// The families of `wanted` that are among `installed`, in the order wanted;
// all of `wanted` when none is, so the system's substitutes may still apply.
QStringList installedFamilies(const QStringList& wanted, const QStringList& installed);

// A one-line message naming what to install when `font`, with every fallback
// the system offers, cannot draw Japanese; nothing when it can.
std::optional<QString> missingJapaneseFontMessage(const QFont& font);

} // namespace tokivane
