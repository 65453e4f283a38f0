#pragma once

#include <QtGlobal>
#include <chrono>
#include <vector>

namespace tokivane {

// One bar of a chart of amounts: the records of a day, or of a month (dated
// its first day). Amounts are integer hundredths of a yen and may be negative.
struct ChartBar {
    std::chrono::year_month_day date;
    qint64 count = 0;
    qint64 hundredths = 0;
    // A weekend or national holiday, marked in the chart; never for a month.
    bool closedDay = false;

    friend bool operator==(const ChartBar&, const ChartBar&) = default;
};

// The days added into their months, one bar for every month from the first
// day's to the last day's, a month without days being an empty bar. Totals
// are exact whatever the order of the days; a total beyond 64 bits holds the
// nearest 64-bit value instead of wrapping.
std::vector<ChartBar> monthlyBars(const std::vector<ChartBar>& daily);

// Whether the days span more than 93 days, the first and the last counted:
// more than three months of bars, each too thin to read.
bool wantsMonths(const std::vector<ChartBar>& daily);

} // namespace tokivane
