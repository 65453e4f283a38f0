#include "payment_periods.h"

#include "closing_day.h"
#include "complete_date.h"
#include "date_text.h"
#include "form_inputs.h"

namespace tokivane {

PaymentPeriods paymentPeriodsOf(const ProcessingDate& processing, QStringView closingEntry,
                                const Clock& clock) {
    using namespace std::chrono;
    // Left uncompleted for its numbers and its key: a month-end closing keeps
    // day 31, so no processing date lies past it.
    const QString closingText = closingDateText(processing.text.left(6), closingEntry);
    const Closing closing = closingOf(closingText);
    const bool pastClosing = compareKeys(processing.text, closingText) > 0;
    const year_month lastNovember = (closing.month.year() - years{1}) / November;
    return {completedDate(closingText, clock),
            periodClosingIn(closing, closing.month - months{pastClosing ? 0 : 1}, clock),
            {periodStartIn(closing, lastNovember - months{11}, clock),
             periodEndIn(closing, lastNovember, clock)}};
}

void CalcPaymentPeriods(FormPort& form, const Clock& clock) {
    const auto inputs = readClosingInputs(form);
    if (!inputs)
        return;
    const PaymentPeriods periods = paymentPeriodsOf(inputs->processing, inputs->entry, clock);
    form.setCaption(Label60, periods.closingDate);
    form.setCaption(Label61, periods.monthly.start);
    form.setCaption(Label62, periods.monthly.end);
    form.setCaption(Label63, periods.yearly.start);
    form.setCaption(Label64, periods.yearly.end);
}

} // namespace tokivane
