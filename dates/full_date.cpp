#include "full_date.h"

#include "holidays.h"

#include <QStringView>
#include <algorithm>
#include <array>

namespace tokivane {

namespace {

using namespace std::chrono;

struct Era {
    QStringView name;
    Date firstDay;
};

// Latest first, so the first era that began on or before a date is its era.
constexpr std::array<Era, 2> kEras{{
    {u"令和", 2019y / May / 1d},
    {u"平成", 1989y / January / 8d},
}};

// Monday first, as ISO numbers weekdays from 1.
constexpr QStringView kWeekdays = u"月火水木金土日";

constexpr QStringView kFirstYear = u"元";

// Dates before the earliest era listed are outside the years date texts give.
QString eraYearText(Date date) {
    const auto era = std::ranges::find_if(
        kEras, [date](const Era& candidate) { return date >= candidate.firstDay; });
    const Era& known = era != kEras.end() ? *era : kEras.back();
    const int year = static_cast<int>(date.year()) - static_cast<int>(known.firstDay.year()) + 1;
    return known.name.toString() + (year == 1 ? kFirstYear.toString() : QString::number(year)) +
           u'年';
}

} // namespace

QChar weekdayCharacter(Date date) {
    return kWeekdays[weekday{sys_days{date}}.iso_encoding() - 1];
}

QString fullDateText(Date date) {
    const auto holiday = holidayName(date);
    return QString::number(static_cast<int>(date.year())) + u'年' +
           QString::number(static_cast<unsigned>(date.month())) + u'月' +
           QString::number(static_cast<unsigned>(date.day())) + u'日' + u'（' +
           weekdayCharacter(date) + u'）' + (holiday ? *holiday + u' ' : QString()) +
           eraYearText(date);
}

} // namespace tokivane
