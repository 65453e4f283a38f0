#include "judging_ranges.h"

#include "billing_periods.h"
#include "execute.h"
#include "form_inputs.h"
#include "judgement.h"
#include "ledger_daily.h"
#include "report_ranges.h"

namespace tokivane {

JudgedRanges judgedRangesOf(const ProcessingDate& processing, QStringView closingEntry,
                            const Clock& clock) {
    // The window shows some ends as the box was typed but judges on the
    // canonical text; ranges built from the canonical text are the judged ones.
    const ProcessingDate canonical{processing.text, processing.text, processing.date};
    const QString noRecord;
    const BillingPeriods billing = billingPeriodsOf(canonical, noRecord, closingEntry, clock);
    const LedgerDaily ledger = ledgerDailyOf(canonical, noRecord);
    const ReportRanges reports = reportRangesOf(canonical, noRecord);
    const std::array<const JudgedRange*, kJudgedRangeCount> inOrder{
        &billing.previous, &billing.current, &ledger.dayBefore, &ledger.backlog, &ledger.fiscalYear,
        &reports.daily,    &reports.weekly,  &reports.monthly,  &reports.yearly};
    JudgedRanges ranges;
    for (std::size_t at = 0; at < ranges.size(); ++at)
        ranges[at] = {kRangeCaptions[at], inOrder[at]->start, inOrder[at]->end};
    return ranges;
}

std::variant<JudgingBasis, QString> judgingBasisOf(const FormPort& form, const Clock& clock) {
    if (const auto problem = inputProblem(form))
        return problem->toString();
    // The checks passed, so both are there.
    const ProcessingDate processing = *readProcessingDate(form);
    const QString entry = *firstSelectedEntry(form);
    return JudgingBasis{processing, entry, judgedRangesOf(processing, entry, clock)};
}

quint16 judgementsOf(const JudgedRanges& ranges, Date date) {
    const QString record = dateTextOf(date);
    quint16 bits = 0;
    for (std::size_t at = 0; at < ranges.size(); ++at) {
        if (judgement(ranges[at].start, record, ranges[at].end) == kYes)
            bits |= quint16(1U << at);
    }
    return bits;
}

} // namespace tokivane
