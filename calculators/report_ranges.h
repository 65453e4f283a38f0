#pragma once

#include "calculators/form_port.h"

namespace tokivane {

// Daily, weekly (from Monday), monthly and fiscal-yearly report ranges, all
// ending on the processing date (Label29-Label36), each judged against the
// record date (Label53-Label56).
void CalcReportRanges(FormPort& form);

} // namespace tokivane
