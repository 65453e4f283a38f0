#pragma once

#include "calculators/form_port.h"

namespace tokivane {

// Order/shipping ledger daily report: the day before the processing date
// (Label26, judged in Label57), the backlog from the fiscal year's start to
// that day (Label27-Label28, Label52) and the fiscal year up to the processing
// date (Label38-Label39, Label58).
void CalcLedgerDaily(FormPort& form);

} // namespace tokivane
