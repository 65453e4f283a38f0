#pragma once

#include "box_dates.h"
#include "form_port.h"
#include "judgement.h"

#include <QString>

namespace tokivane {

// The report ranges of a processing date; each ends on the processing date
// as typed.
struct ReportRanges {
    JudgedRange daily;
    // From the Monday of the processing date's week.
    JudgedRange weekly;
    // From the first of the processing month.
    JudgedRange monthly;
    // From the 1 December that opens the fiscal year.
    JudgedRange yearly;
};

ReportRanges reportRangesOf(const ProcessingDate& processing, const QString& record);

// Shows them in Label29-Label36, judged in Label53-Label56.
void CalcReportRanges(FormPort& form);

} // namespace tokivane
