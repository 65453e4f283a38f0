#pragma once

#include "closing.h"

#include <QtGlobal>

namespace tokivane {

// 当月 is 0 months after the closing, 翌月 1, 翌々月 2, then 3か月後 to 6か月後.
inline constexpr int kMaxMonthsAfter = 6;
// The latest pay day named by number; a day the month lacks is its last.
inline constexpr int kLastPayDay = 30;
// 末日: the last day of the month, whatever its length.
inline constexpr int kMonthEndPayDay = 0;
inline constexpr int kMaxDaysAfter = 365;

// What happens to a due date that falls on a day the banks are closed.
enum class HolidayRule : quint8 {
    PreviousBusinessDay, // 前営業日
    NextBusinessDay,     // 翌営業日
    Unchanged,           // そのまま
};

// When a customer pays (回収条件), counted from the closing date: a pay day
// some months after the closing month, or a number of calendar days after
// the closing date.
struct PayDay {
    enum class Kind : quint8 { MonthAndDay, DaysAfter };
    Kind kind = Kind::MonthAndDay;
    // For MonthAndDay: 0 to kMaxMonthsAfter.
    quint8 months = 1;
    // For MonthAndDay: 1 to kLastPayDay, or kMonthEndPayDay.
    quint8 day = kMonthEndPayDay;
    // For DaysAfter: 1 to kMaxDaysAfter.
    quint16 days = 0;

    static constexpr PayDay monthAndDay(int months, int day) {
        return {Kind::MonthAndDay, static_cast<quint8>(months), static_cast<quint8>(day), 0};
    }
    static constexpr PayDay daysAfter(int days) {
        return {Kind::DaysAfter, 0, 0, static_cast<quint16>(days)};
    }

    bool operator==(const PayDay&) const = default;
};

// A customer's whole terms: "20日締め翌月末払い、休日は前営業日".
struct CollectionTerms {
    ClosingDay closing;
    PayDay pay;
    HolidayRule holidays = HolidayRule::PreviousBusinessDay;

    bool operator==(const CollectionTerms&) const = default;
};

} // namespace tokivane
