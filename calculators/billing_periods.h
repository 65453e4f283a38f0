#pragma once

#include "calculators/form_port.h"
#include "dates/clock.h"

namespace tokivane {

// Invoicing: this month's closing date (Label24), the previous period
// (Label41-Label42, judged in Label40) and the current period up to the
// processing date (Label21-Label22, judged in Label51).
void CalcBillingPeriods(FormPort& form, const Clock& clock);

} // namespace tokivane
