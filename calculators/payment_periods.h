#pragma once

#include "calculators/form_port.h"
#include "dates/clock.h"

namespace tokivane {

// Payment breakdown: the closing date of the processing month (Label60), the
// latest monthly collection period that closed before the processing date
// (Label61-Label62) and the twelve periods up to last year's November closing
// (Label63-Label64).
void CalcPaymentPeriods(FormPort& form, const Clock& clock);

} // namespace tokivane
