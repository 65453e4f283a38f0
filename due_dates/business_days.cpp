#include "business_days.h"

#include "holidays.h"

#include <QStringView>
#include <bitset>

namespace tokivane {

namespace {

using namespace std::chrono;

constexpr QStringView kBankClosing = u"銀行休業日";
constexpr QStringView kSaturday = u"土曜日";
constexpr QStringView kSunday = u"日曜日";

// The banks' year-end closing days: 31 December and 1 to 3 January.
bool isYearEndClosing(Date date) {
    if (date.month() == December)
        return date.day() == 31d;
    return date.month() == January && date.day() <= 3d;
}

bool isWeekend(Date date) {
    const weekday day{sys_days{date}};
    return day == Saturday || day == Sunday;
}

// Holidays are looked up in a table of the years they are known for, built
// once: working out a holiday takes far longer than a due date may.
constexpr sys_days kFirstKnownDay{2000y / January / 1d};
constexpr sys_days kLastKnownDay{2099y / December / 31d};
constexpr std::size_t kKnownDays = (kLastKnownDay - kFirstKnownDay).count() + 1;

const std::bitset<kKnownDays>& holidayTable() {
    static const std::bitset<kKnownDays> table = [] {
        std::bitset<kKnownDays> holidays;
        for (sys_days day = kFirstKnownDay; day <= kLastKnownDay; day += days{1})
            holidays[static_cast<std::size_t>((day - kFirstKnownDay).count())] =
                holidayName(Date{day}).has_value();
        return holidays;
    }();
    return table;
}

bool isHoliday(Date date) {
    const sys_days day{date};
    if (day < kFirstKnownDay || day > kLastKnownDay)
        return false;
    return holidayTable()[static_cast<std::size_t>((day - kFirstKnownDay).count())];
}

} // namespace

std::optional<QString> holidayOrYearEndName(Date date) {
    if (isHoliday(date))
        return holidayName(date);
    if (isYearEndClosing(date))
        return kBankClosing.toString();
    return std::nullopt;
}

std::optional<QString> bankClosedReason(Date date) {
    if (auto name = holidayOrYearEndName(date))
        return name;
    const weekday day{sys_days{date}};
    if (day == Saturday)
        return kSaturday.toString();
    if (day == Sunday)
        return kSunday.toString();
    return std::nullopt;
}

bool isBusinessDay(Date date) {
    return !isWeekend(date) && !isYearEndClosing(date) && !isHoliday(date);
}

Date movedOffClosedDays(Date date, HolidayRule rule) {
    if (rule == HolidayRule::Unchanged)
        return date;
    const days step{rule == HolidayRule::PreviousBusinessDay ? -1 : 1};
    sys_days day{date};
    while (!isBusinessDay(Date{day}))
        day += step;
    return Date{day};
}

} // namespace tokivane
