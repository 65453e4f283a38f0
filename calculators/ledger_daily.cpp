#include "ledger_daily.h"

#include "date_text.h"
#include "fiscal_year.h"
#include "form_inputs.h"

namespace tokivane {

LedgerDaily ledgerDailyOf(const ProcessingDate& processing, const QString& record) {
    const QString dayBefore = dateTextOf(daysBefore(processing.date, 1));
    const QString fiscalStart = fiscalYearStart(processing.text);
    // On 1 December the backlog still covers the fiscal year that just ended.
    const QString backlogStart = fiscalYearStart(dayBefore);
    const QString recordText = recordDateText(record);
    return {{dayBefore, dayBefore, judgement(dayBefore, recordText, dayBefore)},
            {backlogStart, dayBefore, judgement(backlogStart, recordText, dayBefore)},
            {fiscalStart, processing.typed, judgement(fiscalStart, recordText, processing.text)}};
}

void CalcLedgerDaily(FormPort& form) {
    const auto processing = readProcessingDate(form);
    if (!processing)
        return;
    const LedgerDaily ledger = ledgerDailyOf(*processing, form.boxText(DateBox::Text2));
    form.setCaption(Label26, ledger.dayBefore.start);
    form.setCaption(Label27, ledger.backlog.start);
    form.setCaption(Label28, ledger.backlog.end);
    form.setCaption(Label38, ledger.fiscalYear.start);
    form.setCaption(Label39, ledger.fiscalYear.end);
    form.setCaption(Label52, ledger.backlog.judgement);
    form.setCaption(Label57, ledger.dayBefore.judgement);
    form.setCaption(Label58, ledger.fiscalYear.judgement);
}

} // namespace tokivane
