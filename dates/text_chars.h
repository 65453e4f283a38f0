#pragma once

#include <QString>
#include <QStringView>
#include <string>

namespace tokivane {

// Texts are cut and measured in characters (code points), never in UTF-16
// units, so a character outside the BMP is never split in half. A lone
// surrogate counts as one character and survives the round trip unchanged.
std::u32string toChars(QStringView text);
QString fromChars(std::u32string_view chars);

// Up to `count` characters from character `from` on; what lies beyond the
// text's end is left out, so a short text gives a short or empty slice.
QStringView charSlice(QStringView text, qsizetype from, qsizetype count);

} // namespace tokivane
