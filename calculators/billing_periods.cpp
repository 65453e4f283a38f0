#include "billing_periods.h"

#include "closing_day.h"
#include "closing_periods.h"
#include "complete_date.h"
#include "form_inputs.h"

namespace tokivane {

BillingPeriods billingPeriodsOf(const ProcessingDate& processing, const QString& record,
                                QStringView closingEntry, const Clock& clock) {
    const QString closingDate =
        completedDate(closingDateText(processing.text.left(6), closingEntry), clock);
    const Closing closing = closingOf(closingDate);
    const DateRange previous =
        periodClosingIn(closing, closing.month - std::chrono::months{1}, clock);
    const QString currentStart = periodStartIn(closing, closing.month, clock);
    const QString recordText = recordDateText(record);
    return {closingDate,
            {previous.start, previous.end, judgement(previous.start, recordText, previous.end)},
            {currentStart, processing.typed, judgement(currentStart, recordText, processing.text)}};
}

void CalcBillingPeriods(FormPort& form, const Clock& clock) {
    const auto inputs = readClosingInputs(form);
    if (!inputs)
        return;
    const BillingPeriods periods =
        billingPeriodsOf(inputs->processing, form.boxText(DateBox::Text2), inputs->entry, clock);
    form.setCaption(Label24, periods.closingDate);
    form.setCaption(Label41, periods.previous.start);
    form.setCaption(Label42, periods.previous.end);
    form.setCaption(Label21, periods.current.start);
    form.setCaption(Label22, periods.current.end);
    form.setCaption(Label51, periods.current.judgement);
    form.setCaption(Label40, periods.previous.judgement);
}

} // namespace tokivane
