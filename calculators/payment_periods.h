#pragma once

#include "box_dates.h"
#include "clock.h"
#include "closing_periods.h"
#include "form_port.h"

#include <QString>
#include <QStringView>

namespace tokivane {

// The payment breakdown for the processing date and a closing-day entry.
struct PaymentPeriods {
    QString closingDate;
    // The latest collection period that closed before the processing date.
    DateRange monthly;
    // The twelve collection periods up to last year's November closing.
    DateRange yearly;
};

PaymentPeriods paymentPeriodsOf(const ProcessingDate& processing, QStringView closingEntry,
                                const Clock& clock);

// Shows them: the closing date in Label60, the monthly period in
// Label61-Label62, the yearly one in Label63-Label64.
void CalcPaymentPeriods(FormPort& form, const Clock& clock);

} // namespace tokivane
