#pragma once

#include "box_dates.h"
#include "form_port.h"
#include "judgement.h"

#include <QString>

namespace tokivane {

// The order/shipping ledger's daily report for a processing date.
struct LedgerDaily {
    // The day before the processing date, as a one-day range.
    JudgedRange dayBefore;
    // From the fiscal year's start to the day before.
    JudgedRange backlog;
    // From the fiscal year's start to the processing date as typed.
    JudgedRange fiscalYear;
};

LedgerDaily ledgerDailyOf(const ProcessingDate& processing, const QString& record);

// Shows it: the day before in Label26 judged in Label57, the backlog in
// Label27-Label28 judged in Label52, the fiscal year in Label38-Label39
// judged in Label58.
void CalcLedgerDaily(FormPort& form);

} // namespace tokivane
