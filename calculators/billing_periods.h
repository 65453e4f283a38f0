#pragma once

#include "box_dates.h"
#include "clock.h"
#include "form_port.h"
#include "judgement.h"

#include <QString>
#include <QStringView>

namespace tokivane {

// Invoicing for the processing month and a closing-day entry.
struct BillingPeriods {
    QString closingDate;
    JudgedRange previous;
    // Ends on the processing date as typed, even past this month's closing.
    JudgedRange current;
};

BillingPeriods billingPeriodsOf(const ProcessingDate& processing, const QString& record,
                                QStringView closingEntry, const Clock& clock);

// Shows them: the closing date in Label24, the previous period in
// Label41-Label42 judged in Label40, the current one in Label21-Label22
// judged in Label51.
void CalcBillingPeriods(FormPort& form, const Clock& clock);

} // namespace tokivane
