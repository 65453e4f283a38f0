#include "calculators/ledger_daily.h"

#include "calculators/box_dates.h"
#include "calculators/fiscal_year.h"
#include "calculators/judgement.h"
#include "dates/date_text.h"

namespace tokivane {

void CalcLedgerDaily(FormPort& form) {
    const auto processing = readProcessingDate(form);
    if (!processing)
        return;
    const QString dayBefore = dateTextOf(daysBefore(processing->date, 1));
    const QString fiscalStart = fiscalYearStart(processing->text);
    // On 1 December the backlog still covers the fiscal year that just ended.
    const QString backlogStart = fiscalYearStart(dayBefore);

    form.setCaption(Label26, dayBefore);
    form.setCaption(Label27, backlogStart);
    form.setCaption(Label28, dayBefore);
    form.setCaption(Label38, fiscalStart);
    form.setCaption(Label39, processing->typed);

    const QString record = readRecordDate(form);
    form.setCaption(Label52, judgement(backlogStart, record, dayBefore));
    form.setCaption(Label57, judgement(dayBefore, record, dayBefore));
    form.setCaption(Label58, judgement(fiscalStart, record, processing->text));
}

} // namespace tokivane
