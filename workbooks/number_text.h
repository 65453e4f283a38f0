#pragma once

#include <QString>
#include <QStringView>

namespace tokivane {

// The significant digits a workbook keeps of a number.
inline constexpr int kSignificantDigits = 15;

// A number as a General cell shows it: up to 15 significant digits.
QString generalNumberText(double value);

// A number as a cell with this number format code shows it: digit places
// padded with zeros or left out, decimals rounded half away from zero on the
// 15 digits a workbook keeps, thousands separators and scaling commas,
// percent, quoted and escaped text, currency symbols, and the sections for
// negative numbers and zero. Codes for fractions, exponents and conditions
// show as General.
QString numberText(double value, QStringView code);

} // namespace tokivane
