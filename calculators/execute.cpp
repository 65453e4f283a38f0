#include "execute.h"

#include "billing_periods.h"
#include "date_text.h"
#include "form_inputs.h"
#include "ledger_daily.h"
#include "messages.h"
#include "payment_periods.h"
#include "report_ranges.h"

namespace tokivane {

namespace {

// Before 2002 some periods would begin before 2000, which a two-digit year
// cannot show.
constexpr Date kEarliestProcessingDate{std::chrono::year{2002}, std::chrono::January,
                                       std::chrono::day{1}};

} // namespace

std::optional<QStringView> inputProblem(const FormPort& form) {
    const QString processing = form.boxText(DateBox::Text1);
    if (processing.isEmpty())
        return messages::kEnterProcessingDate;
    const QString record = form.boxText(DateBox::Text2);
    if (record.isEmpty())
        return messages::kEnterRecordDate;
    if (!firstSelectedEntry(form))
        return messages::kSelectClosingDay;
    const auto processingDate = dateOfDateText(processing);
    if (!processingDate)
        return messages::kInvalidProcessingDate;
    if (*processingDate < kEarliestProcessingDate)
        return messages::kProcessingDateTooEarly;
    if (!dateOfDateText(record))
        return messages::kInvalidRecordDate;
    return std::nullopt;
}

void Execute(FormPort& form, const Clock& clock) {
    if (const auto problem = inputProblem(form)) {
        form.showMessage(problem->toString());
        return;
    }
    CalcBillingPeriods(form, clock);
    CalcLedgerDaily(form);
    CalcReportRanges(form);
    CalcPaymentPeriods(form, clock);
}

} // namespace tokivane
