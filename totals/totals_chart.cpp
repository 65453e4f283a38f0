#include "totals_chart.h"

#include "business_days.h"

namespace tokivane {

std::vector<ChartBar> chartBarsOf(const LedgerTotals& totals) {
    std::vector<ChartBar> bars;
    if (totals.refusal)
        return bars;
    bars.reserve(totals.byDue.size());
    for (const DueLine& line : totals.byDue)
        bars.push_back(
            {line.due, line.figure.count, line.figure.amount.hundredths, !isBusinessDay(line.due)});
    return bars;
}

} // namespace tokivane
