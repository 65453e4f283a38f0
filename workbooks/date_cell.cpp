#include "date_cell.h"

#include "date_text.h"

namespace tokivane {

namespace {

using namespace std::chrono;

constexpr year_month_day kFirstSerialDate{year{1900}, March, day{1}};
constexpr year_month_day kLastSerialDate{year{9999}, December, day{31}};
constexpr sys_days kSerialZero{year{1899} / December / 30};
constexpr qsizetype kYearDigits = 4;

// One to `most` ASCII digits at `at`, which moves past them.
std::optional<int> digitsAt(QStringView text, qsizetype& at, qsizetype fewest, qsizetype most) {
    int value = 0;
    const qsizetype start = at;
    while (at < text.size() && at - start < most && text[at] >= u'0' && text[at] <= u'9')
        value = value * 10 + (text[at++].unicode() - u'0');
    return at - start >= fewest ? std::optional(value) : std::nullopt;
}

std::optional<year_month_day> fullYearDate(QStringView cell) {
    qsizetype at = 0;
    const auto y = digitsAt(cell, at, kYearDigits, kYearDigits);
    if (!y || at >= cell.size() || (cell[at] != u'/' && cell[at] != u'-'))
        return std::nullopt;
    const QChar separator = cell[at++];
    const auto m = digitsAt(cell, at, 1, 2);
    if (!m || at >= cell.size() || cell[at++] != separator)
        return std::nullopt;
    const auto d = digitsAt(cell, at, 1, 2);
    if (!d || at != cell.size())
        return std::nullopt;
    return year_month_day{year{*y}, month{unsigned(*m)}, day{unsigned(*d)}};
}

} // namespace

std::optional<year_month_day> dateOfCell(QStringView cell) {
    auto date = fullYearDate(cell);
    if (!date)
        date = dateOfDateText(cell);
    if (!date || !date->ok() || *date < kFirstSerialDate || *date > kLastSerialDate)
        return std::nullopt;
    return date;
}

int serialOfDate(year_month_day date) {
    return int((sys_days{date} - kSerialZero).count());
}

} // namespace tokivane
