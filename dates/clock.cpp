#include "clock.h"

#include <QDate>

namespace tokivane {

std::chrono::year_month_day SystemClock::today() const {
    // Local date on purpose: a bookkeeper working past midnight UTC expects the
    // day on the wall calendar.
    const QDate d = QDate::currentDate();
    return std::chrono::year{d.year()} / std::chrono::month{static_cast<unsigned>(d.month())} /
           std::chrono::day{static_cast<unsigned>(d.day())};
}

} // namespace tokivane
