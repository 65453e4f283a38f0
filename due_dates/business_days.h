#pragma once

#include "collection_terms.h"
#include "date_text.h"

#include <QString>
#include <optional>

namespace tokivane {

// Why the banks are closed on a date: the national holiday's name (振替休日
// and 休日 between holidays included), "銀行休業日" for 31 December and 1 to 3
// January, "土曜日" or "日曜日"; none on a business day. Holidays are known for
// 2000 to 2099; outside those years only weekends and the year end count.
std::optional<QString> bankClosedReason(Date date);

// The same without weekends, for a text that gives the weekday already.
std::optional<QString> holidayOrYearEndName(Date date);

bool isBusinessDay(Date date);

// The due date after the holiday rule: the business day before or after a
// closed day, which may lie in another month or year, or the day unchanged.
Date movedOffClosedDays(Date date, HolidayRule rule);

} // namespace tokivane
