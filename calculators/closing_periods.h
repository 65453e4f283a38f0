#pragma once

#include "clock.h"

#include <QString>
#include <QStringView>
#include <chrono>

namespace tokivane {

struct DateRange {
    QString start;
    QString end;
};

// A closing date read at its fixed positions: its month, whose year is the
// two-digit year (below 0 when stepping back from early 2000), its day, and
// whether it closes at the month end.
struct Closing {
    std::chrono::year_month month;
    int day;
    bool monthEnd;
};

Closing closingOf(QStringView closingDate);

// The period that closes in `month` runs from the day after the month
// before's closing to this month's closing, both completed date texts. A
// month-end closing covers the calendar month.
QString periodStartIn(const Closing& closing, std::chrono::year_month month, const Clock& clock);
QString periodEndIn(const Closing& closing, std::chrono::year_month month, const Clock& clock);
DateRange periodClosingIn(const Closing& closing, std::chrono::year_month month,
                          const Clock& clock);

} // namespace tokivane
