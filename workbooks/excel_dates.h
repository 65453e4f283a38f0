#pragma once

#include <QString>
#include <chrono>
#include <optional>

namespace tokivane {

// Which day a workbook counts its date numbers from.
enum class DateSystem { From1900, From1904 };

// The day a date number names, its time of day ignored: in the 1900 system
// day 1 is 1900-01-01 and day 60 the 1900-02-29 that never was (no value for
// it, nor for day 0); in the 1904 system day 0 is 1904-01-01. No value past
// 9999-12-31 or before the first day.
std::optional<std::chrono::year_month_day> dateOfSerial(double serial, DateSystem system);

// A date number as a workbook shows it with a date format: yyyy/MM/dd, and
// the days the 1900 system has that no calendar has as it shows them
// ("1900/01/00", "1900/02/29"). No value where a workbook shows no date.
std::optional<QString> dateTextOfSerial(double serial, DateSystem system);

// The time of day of a date number with a time format: H:mm, or H:mm:ss when
// `seconds`; `elapsed` counts hours past 24 as a duration does.
QString timeTextOfSerial(double serial, bool seconds, bool elapsed);

// The date of an ISO 8601 date cell ("2024-05-01" or "2024-05-01T10:00:00").
std::optional<std::chrono::year_month_day> dateOfIsoText(QStringView text);

// yyyy/MM/dd, as the tables show dates.
QString slashedDate(std::chrono::year_month_day date);

} // namespace tokivane
