#include "calculators/payment_periods.h"

#include "calculators/box_dates.h"
#include "calculators/closing_day.h"
#include "calculators/messages.h"
#include "dates/complete_date.h"
#include "dates/date_text.h"

namespace tokivane {

namespace {

struct Range {
    QString start;
    QString end;
};

class PaymentPeriods {
  public:
    PaymentPeriods(const QString& closing, const Clock& clock)
        : closing_(closing), clock_(clock), year_(leadingNumber(closing.left(2))),
          month_(leadingNumber(closing.mid(3, 2))), day_(leadingNumber(closing.mid(6, 2))),
          monthEnd_(isMonthEndClosing(closing)) {}

    QString closingDate() const { return completed(closing_); }

    Range monthly(const QString& processingText) const {
        const YearMonth oneBack = monthsBack({year_, month_}, 1);
        if (compareKeys(processingText, closing_) > 0) {
            // Past this month's closing: the period that ends on it.
            if (monthEnd_)
                return {assembled(year_, month_, 1), completed(closing_)};
            return {assembled(oneBack.year, oneBack.month, day_ + 1), closing_};
        }
        // On or before this month's closing: the period that ended last month.
        if (monthEnd_)
            return {assembled(oneBack.year, oneBack.month, 1),
                    assembled(oneBack.year, oneBack.month, 31)};
        const YearMonth twoBack = monthsBack({year_, month_}, 2);
        return {assembled(twoBack.year, twoBack.month, day_ + 1),
                assembled(oneBack.year, oneBack.month, day_)};
    }

    // Whatever the processing month, the year closed in November of last year.
    Range yearly() const {
        const QString start =
            monthEnd_ ? assembled(year_ - 2, 12, 1) : assembled(year_ - 2, 11, day_ + 1);
        return {start, assembled(year_ - 1, 11, day_)};
    }

  private:
    QString completed(QString text) const {
        CompleteDate(text, clock_);
        return text;
    }
    QString assembled(int year, int month, int day) const {
        return completed(assembleDateText(year, month, day));
    }

    QString closing_;
    const Clock& clock_;
    int year_;
    int month_;
    int day_;
    bool monthEnd_;
};

} // namespace

void CalcPaymentPeriods(FormPort& form, const Clock& clock) {
    const auto processing = readProcessingDate(form);
    if (!processing)
        return;
    const auto entry = firstSelectedEntry(form);
    if (!entry) {
        form.showMessage(messages::kSelectClosingDay.toString());
        return;
    }
    const PaymentPeriods periods(closingDateText(processing->text.left(6), *entry), clock);
    const Range monthly = periods.monthly(processing->text);
    const Range yearly = periods.yearly();
    form.setCaption(Label60, periods.closingDate());
    form.setCaption(Label61, monthly.start);
    form.setCaption(Label62, monthly.end);
    form.setCaption(Label63, yearly.start);
    form.setCaption(Label64, yearly.end);
}

} // namespace tokivane
