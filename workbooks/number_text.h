#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace tokivane {

// The significant digits a workbook keeps of a number.
inline constexpr int kSignificantDigits = 15;

// A number as a General cell shows it: up to 15 significant digits.
QString generalNumberText(double value);

struct NumberSection;

// A number format code read once, for the many cells that share it.
class NumberCode {
  public:
    explicit NumberCode(QStringView code);
    ~NumberCode();
    NumberCode(const NumberCode&) = delete;
    NumberCode& operator=(const NumberCode&) = delete;

    // The number as numberText shows it with this code.
    QString text(double value) const;

  private:
    std::vector<NumberSection> sections_;
};

// A number as a cell with this number format code shows it: digit places
// padded with zeros or left out, decimals rounded half away from zero on the
// 15 digits a workbook keeps, thousands separators and scaling commas,
// percent, quoted and escaped text, currency symbols, and the sections for
// negative numbers and zero. Codes for fractions, exponents and conditions
// show as General.
QString numberText(double value, QStringView code);

} // namespace tokivane
