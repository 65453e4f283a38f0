#pragma once

#include "cell_styles.h"
#include "excel_dates.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace tokivane {

// One cell of a sheet as its XML gives it: its type (the t attribute), its
// value (v, or an inline string's text) and its style's number format.
struct SheetCell {
    QStringView type;
    QStringView value;
    const NumberFormat* format = nullptr;
};

// The cell's text as the workbook shows it: shared and inline strings,
// formulas by the value they last gave, TRUE and FALSE, errors as their
// text, and numbers through their format, dates as yyyy/MM/dd. No value when
// it names a shared string the workbook lacks.
std::optional<QString> textOfCell(const SheetCell& cell, const QStringList& sharedStrings,
                                  DateSystem dates);

// A run of 1 to 15 ASCII digits as its value, read here: a sheet's XML is
// full of them, and Qt's conversions, which read anything else, take their
// locale's rules first.
std::optional<qint64> digitsValue(QStringView text);
std::optional<qint64> digitsValue(QLatin1StringView text);

// The same with a minus sign or not, as the number it writes.
std::optional<double> wholeNumberValue(QStringView text);
std::optional<double> wholeNumberValue(QLatin1StringView text);

// Whether a cell of this type holds text of its own: an inline string, or
// a formula's text result.
bool isStringType(QStringView type);
bool isStringType(QLatin1StringView type);

// The number of the shared string a cell of type s names, when the workbook
// has `count` of them; no value for none.
std::optional<qsizetype> sharedStringIndex(QStringView value, qsizetype count);

// Whether a number's text is already how General shows it: no more than the
// 15 significant digits a workbook keeps, no leading or trailing zeros and
// no exponent, so that reading and showing it again gives it back.
bool isShownAsGeneral(QStringView value);
bool isShownAsGeneral(QLatin1StringView value);

// The column of a cell reference ("B3" is 1), up to XFD; no value for none.
std::optional<int> columnOfReference(QStringView reference);
std::optional<int> columnOfReference(QLatin1StringView reference);
// The row of a cell reference ("B3" is 3), up to 1,048,576; no value for none.
std::optional<int> rowOfReference(QStringView reference);

} // namespace tokivane
