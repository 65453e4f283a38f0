#pragma once

#include "chart_bars.h"
#include "ledger_totals.h"

#include <vector>

namespace tokivane {

// A bar for each 回収予定日 of the totals, a day the banks are closed marked;
// none for refused totals. Past 93 days the caller shows monthlyBars instead.
std::vector<ChartBar> chartBarsOf(const LedgerTotals& totals);

} // namespace tokivane
