#pragma once

#include <QString>
#include <QStringView>
#include <chrono>
#include <compare>
#include <cstdint>
#include <optional>

// A date text is "yy/mm/dd": a two-digit year standing for 20yy, month and day
// with leading zeros. These are the only conversions between such texts,
// calendar dates and the numbers cut from them.
namespace tokivane {

using Date = std::chrono::year_month_day;

inline constexpr int kCentury = 2000;

// The date a text names: two ASCII digits, "/", one or two ASCII digits, "/",
// one or two ASCII digits, forming a real date of 20yy. Anything else has no date.
std::optional<Date> dateOfDateText(QStringView text);

// "yy/mm/dd" of a date of the years 2000 to 2099.
QString dateTextOf(Date date);

// The date text of the date a text names: 26/1/5 gives 26/01/05.
std::optional<QString> canonicalDateText(QStringView text);

Date daysBefore(Date date, int days);

// The number written at the start of a text after blanks, with an optional
// minus sign; no digits give 0. Held as a 16-bit number, clamped to its range.
std::int16_t leadingNumber(QStringView text);

// The last two characters of "00" followed by the decimal digits of n:
// 3 gives "03", 105 gives "05", -1 gives "-1".
QString twoDigitText(int n);

// The two-digit texts of year, month and day joined by "/". The day is not
// checked; days beyond the month's end are left for date completion.
QString assembleDateText(int year, int month, int day);

// Characters 1-2, 4-5 and 7-8 joined: yymmdd for a date text, shorter for
// shorter texts. Compared by character code, it orders dates of 2000-2099.
QString comparisonKey(QStringView text);

// The order of two texts' comparison keys, compared by character code.
std::strong_ordering compareKeys(QStringView a, QStringView b);

} // namespace tokivane
