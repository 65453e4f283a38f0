#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace tokivane {

// Shift_JIS as Japanese Windows writes it (code page 932: ～ is U+FF5E, and
// ① and ㈱ exist). Each build decodes it with what its platform has, so a
// file reads the same everywhere.

// No value when the bytes are not Shift_JIS.
std::optional<QString> decodeShiftJis(QByteArrayView bytes);

// No value when a character has no Shift_JIS form; never a silent '?'.
std::optional<QByteArray> encodeShiftJis(QStringView text);

} // namespace tokivane
