#include "closing_periods.h"

#include "closing_day.h"
#include "complete_date.h"
#include "date_text.h"

namespace tokivane {

namespace {

using std::chrono::months;

// Completion brings a day past the month's end back to its last day.
QString dateIn(std::chrono::year_month month, int day, const Clock& clock) {
    return completedDate(assembleDateText(static_cast<int>(month.year()),
                                          static_cast<int>(static_cast<unsigned>(month.month())),
                                          day),
                         clock);
}

} // namespace

Closing closingOf(QStringView closingDate) {
    const std::chrono::year year{leadingNumber(closingDate.mid(0, 2))};
    const std::chrono::month month{static_cast<unsigned>(leadingNumber(closingDate.mid(3, 2)))};
    return {year / month, leadingNumber(closingDate.mid(6, 2)), isMonthEndClosing(closingDate)};
}

QString periodStartIn(const Closing& closing, std::chrono::year_month month, const Clock& clock) {
    if (closing.monthEnd)
        return dateIn(month, 1, clock);
    return dateIn(month - months{1}, closing.day + 1, clock);
}

QString periodEndIn(const Closing& closing, std::chrono::year_month month, const Clock& clock) {
    return dateIn(month, closing.monthEnd ? 31 : closing.day, clock);
}

DateRange periodClosingIn(const Closing& closing, std::chrono::year_month month,
                          const Clock& clock) {
    return {periodStartIn(closing, month, clock), periodEndIn(closing, month, clock)};
}

} // namespace tokivane
