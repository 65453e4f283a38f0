#pragma once

#include <QStringView>
#include <chrono>
#include <optional>

namespace tokivane {

// The date a cell of a date column names: "yyyy/M/d" or "yyyy-M-d" (four-digit
// year, month and day of one or two digits), or the screen's date text
// "yy/mm/dd" of 20yy; a real date from 1900-03-01 to 9999-12-31, the dates
// whose serial numbers are right. Anything else is no date and stays text.
std::optional<std::chrono::year_month_day> dateOfCell(QStringView cell);

// The date as a sheet holds it: days since 1899-12-30, which is right from
// 1900-03-01 on, past the leap day that the 1900 serials count wrongly.
int serialOfDate(std::chrono::year_month_day date);

} // namespace tokivane
