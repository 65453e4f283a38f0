#include "holidays.h"

#include <QStringView>
#include <algorithm>
#include <array>

namespace tokivane {

namespace {

using namespace std::chrono;

constexpr year kFirstYear{2000};
constexpr year kLastYear{2099};

// The years the law's amendments took effect.
constexpr year kSeaAndAgedOnMondays{2003};
// 4/29 becomes 昭和の日 and みどりの日 moves to 5/4. A Sunday holiday now moves to
// the nearest day that is no holiday, and a day between two holidays is one
// even on a Sunday; before, only the Monday after a Sunday holiday was one.
constexpr year kRevisionOf2007{2007};
constexpr year kMountainDayFrom{2016};
constexpr year kLastBirthdayOnDecember23{2018};
constexpr year kBirthdayOnFebruary23From{2020};
constexpr year kSportsDayFrom{2020};

constexpr QStringView kSubstitute = u"振替休日";
constexpr QStringView kBetweenHolidays = u"休日";

Date nthMonday(year y, month m, unsigned n) {
    return Date{sys_days{y / m / Monday[n]}};
}

// The equinox formula, valid 1980 to 2099, in millionths of a day so that
// taking the whole day is exact: ⌊base + 0.242194·(Y−1980) − ⌊(Y−1980)/4⌋⌋.
constexpr int kMillionths = 1'000'000;
constexpr int kEquinoxDriftPerYear = 242'194;
constexpr year kEquinoxEpoch{1980};

Date equinox(year y, month m, int baseMillionths) {
    const int since = static_cast<int>(y) - static_cast<int>(kEquinoxEpoch);
    const int millionths =
        baseMillionths + kEquinoxDriftPerYear * since - kMillionths * (since / 4);
    return y / m / day{static_cast<unsigned>(millionths / kMillionths)};
}

Date vernalEquinox(year y) {
    return equinox(y, March, 20'843'100);
}
Date autumnalEquinox(year y) {
    return equinox(y, September, 23'248'800);
}

// A holiday kept every year from first to last, on the day the law gives.
struct YearlyHoliday {
    QStringView name;
    year first;
    year last;
    Date (*dayIn)(year);
};

constexpr std::array<YearlyHoliday, 21> kYearly{{
    {u"元日", kFirstYear, kLastYear, [](year y) { return y / January / 1d; }},
    {u"成人の日", kFirstYear, kLastYear, [](year y) { return nthMonday(y, January, 2); }},
    {u"建国記念の日", kFirstYear, kLastYear, [](year y) { return y / February / 11d; }},
    {u"天皇誕生日", kBirthdayOnFebruary23From, kLastYear,
     [](year y) { return y / February / 23d; }},
    {u"春分の日", kFirstYear, kLastYear, vernalEquinox},
    {u"みどりの日", kFirstYear, kRevisionOf2007 - years{1}, [](year y) { return y / April / 29d; }},
    {u"昭和の日", kRevisionOf2007, kLastYear, [](year y) { return y / April / 29d; }},
    {u"憲法記念日", kFirstYear, kLastYear, [](year y) { return y / May / 3d; }},
    {u"みどりの日", kRevisionOf2007, kLastYear, [](year y) { return y / May / 4d; }},
    {u"こどもの日", kFirstYear, kLastYear, [](year y) { return y / May / 5d; }},
    {u"海の日", kFirstYear, kSeaAndAgedOnMondays - years{1}, [](year y) { return y / July / 20d; }},
    {u"海の日", kSeaAndAgedOnMondays, kLastYear, [](year y) { return nthMonday(y, July, 3); }},
    {u"山の日", kMountainDayFrom, kLastYear, [](year y) { return y / August / 11d; }},
    {u"敬老の日", kFirstYear, kSeaAndAgedOnMondays - years{1},
     [](year y) { return y / September / 15d; }},
    {u"敬老の日", kSeaAndAgedOnMondays, kLastYear,
     [](year y) { return nthMonday(y, September, 3); }},
    {u"秋分の日", kFirstYear, kLastYear, autumnalEquinox},
    {u"体育の日", kFirstYear, kSportsDayFrom - years{1},
     [](year y) { return nthMonday(y, October, 2); }},
    {u"スポーツの日", kSportsDayFrom, kLastYear, [](year y) { return nthMonday(y, October, 2); }},
    {u"文化の日", kFirstYear, kLastYear, [](year y) { return y / November / 3d; }},
    {u"勤労感謝の日", kFirstYear, kLastYear, [](year y) { return y / November / 23d; }},
    {u"天皇誕生日", kFirstYear, kLastBirthdayOnDecember23,
     [](year y) { return y / December / 23d; }},
}};

// Days the law set for one year only: the enthronement days of 2019, and the
// holidays moved for the Olympic Games of 2020 (held in 2021), each in place
// of the yearly day of the same name.
struct OneYearHoliday {
    QStringView name;
    Date date;
};

constexpr std::array<OneYearHoliday, 8> kOneYear{{
    {u"休日（祝日扱い）", 2019y / May / 1d},
    {u"休日（祝日扱い）", 2019y / October / 22d},
    {u"海の日", 2020y / July / 23d},
    {u"スポーツの日", 2020y / July / 24d},
    {u"山の日", 2020y / August / 10d},
    {u"海の日", 2021y / July / 22d},
    {u"スポーツの日", 2021y / July / 23d},
    {u"山の日", 2021y / August / 8d},
}};

bool movedThatYear(const YearlyHoliday& holiday, year y) {
    return std::ranges::any_of(kOneYear, [&](const OneYearHoliday& moved) {
        return moved.name == holiday.name && moved.date.year() == y;
    });
}

// A holiday the law names, as opposed to the days it adds around them.
std::optional<QStringView> namedHoliday(Date date) {
    const auto once = std::ranges::find(kOneYear, date, &OneYearHoliday::date);
    if (once != kOneYear.end())
        return once->name;
    const year y = date.year();
    for (const YearlyHoliday& holiday : kYearly)
        if (y >= holiday.first && y <= holiday.last && holiday.dayIn(y) == date &&
            !movedThatYear(holiday, y))
            return holiday.name;
    return std::nullopt;
}

bool isNamed(sys_days day) {
    return namedHoliday(Date{day}).has_value();
}

// A day that is no named holiday, after a Sunday holiday: the next day under
// the earlier rule, the first day past the run of holidays under the later.
bool isSubstitute(sys_days day) {
    if (isNamed(day))
        return false;
    if (Date{day}.year() < kRevisionOf2007)
        return weekday{day - days{1}} == Sunday && isNamed(day - days{1});
    for (sys_days before = day - days{1}; isNamed(before); before -= days{1})
        if (weekday{before} == Sunday)
            return true;
    return false;
}

// A day that is no holiday otherwise, with a named holiday on either side.
bool isBetweenHolidays(sys_days day) {
    if (isNamed(day) || isSubstitute(day))
        return false;
    if (Date{day}.year() < kRevisionOf2007 && weekday{day} == Sunday)
        return false;
    return isNamed(day - days{1}) && isNamed(day + days{1});
}

} // namespace

std::optional<QString> holidayName(Date date) {
    if (date.year() < kFirstYear || date.year() > kLastYear || !date.ok())
        return std::nullopt;
    if (const auto name = namedHoliday(date))
        return name->toString();
    const sys_days day{date};
    if (isSubstitute(day))
        return kSubstitute.toString();
    if (isBetweenHolidays(day))
        return kBetweenHolidays.toString();
    return std::nullopt;
}

} // namespace tokivane
