#pragma once

#include "date_text.h"

#include <QString>
#include <QtGlobal>
#include <chrono>
#include <optional>

namespace tokivane {

// The latest day of the month a customer may close on. 29日 and 30日 close
// on the month's last day in a month that lacks them (February); 31日 is the
// month's end.
inline constexpr int kLastClosingDay = 30;

// A customer's closing day (締日): a day of the month, the month's end, or
// every record on its own invoice (都度).
struct ClosingDay {
    enum class Kind : quint8 { Day, MonthEnd, PerRecord };
    Kind kind = Kind::MonthEnd;
    // 1 to kLastClosingDay for Kind::Day, else 0.
    quint8 day = 0;

    static constexpr ClosingDay onDay(int day) { return {Kind::Day, static_cast<quint8>(day)}; }
    static constexpr ClosingDay monthEnd() { return {Kind::MonthEnd, 0}; }
    static constexpr ClosingDay perRecord() { return {Kind::PerRecord, 0}; }

    bool operator==(const ClosingDay&) const = default;
};

// As the closing list shows it: "20日", "月末" or "都度".
QString closingDayCaption(ClosingDay closing);

// Every closing day in the list's order: 1日 to 30日, 月末, then 都度, which
// alone has no period of days.
inline constexpr int kClosingDayCount = kLastClosingDay + 2;
int closingDayIndex(ClosingDay closing);
// The closing day at an index of that order; 月末 outside it.
ClosingDay closingDayAt(int index);

// The closing date in a month, whether or not a record falls before it: the
// month's last day when it is shorter than the closing day; none for 都度,
// which closes on records rather than on a day of the month.
std::optional<Date> closingDateIn(std::chrono::year_month month, ClosingDay closing);

// 請求締日: the first closing date on or after the record date. ClosingDay dates
// are never moved for holidays.
Date closingDateOf(Date record, ClosingDay closing);

// The closing date after a closing date: the next month's. A 都度 closing
// has none other than its own, and gives the same date back.
Date nextClosingDate(Date closingDate, ClosingDay closing);

// The closing date before a closing date, so that the day after it starts
// the closing's invoice period. A 都度 invoice covers its own day only, so
// for 都度 this is the day before.
Date previousClosingDate(Date closingDate, ClosingDay closing);

} // namespace tokivane
