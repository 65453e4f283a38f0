#include "calculators/billing_periods.h"

#include "calculators/box_dates.h"
#include "calculators/closing_day.h"
#include "calculators/judgement.h"
#include "calculators/messages.h"
#include "dates/complete_date.h"
#include "dates/date_text.h"

namespace tokivane {

namespace {

struct BillingPeriods {
    QString closingDate;
    QString previousStart;
    QString previousEnd;
    QString currentStart;
};

BillingPeriods periodsFor(const ProcessingDate& processing, const QString& entry,
                          const Clock& clock) {
    const auto completed = [&clock](QString text) {
        CompleteDate(text, clock);
        return text;
    };
    const QString closing = completed(closingDateText(processing.text.left(6), entry));
    const YearMonth closingMonth{leadingNumber(closing.left(2)), leadingNumber(closing.mid(3, 2))};
    const int day = leadingNumber(closing.mid(6, 2));
    const YearMonth oneBack = monthsBack(closingMonth, 1);

    if (isMonthEndClosing(closing)) {
        // Calendar months; "31" lets completion find the previous month's last
        // day even when this month is shorter.
        return {closing, completed(assembleDateText(oneBack.year, oneBack.month, 1)),
                completed(assembleDateText(oneBack.year, oneBack.month, 31)),
                closing.left(6) + QStringLiteral("01")};
    }
    const YearMonth twoBack = monthsBack(closingMonth, 2);
    return {closing, completed(assembleDateText(twoBack.year, twoBack.month, day + 1)),
            completed(assembleDateText(oneBack.year, oneBack.month, day)),
            completed(assembleDateText(oneBack.year, oneBack.month, day + 1))};
}

} // namespace

void CalcBillingPeriods(FormPort& form, const Clock& clock) {
    const auto processing = readProcessingDate(form);
    if (!processing)
        return;
    const auto entry = firstSelectedEntry(form);
    if (!entry) {
        form.showMessage(messages::kSelectClosingDay.toString());
        return;
    }
    const BillingPeriods periods = periodsFor(*processing, *entry, clock);
    form.setCaption(Label24, periods.closingDate);
    form.setCaption(Label41, periods.previousStart);
    form.setCaption(Label42, periods.previousEnd);
    form.setCaption(Label21, periods.currentStart);
    // The current period is shown up to the processing date, even past this
    // month's closing date.
    form.setCaption(Label22, processing->typed);

    const QString record = readRecordDate(form);
    form.setCaption(Label51, judgement(periods.currentStart, record, processing->text));
    form.setCaption(Label40, judgement(periods.previousStart, record, periods.previousEnd));
}

} // namespace tokivane
