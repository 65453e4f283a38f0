#include "calculators/report_ranges.h"

#include "calculators/box_dates.h"
#include "calculators/fiscal_year.h"
#include "calculators/judgement.h"
#include "dates/date_text.h"

#include <chrono>

namespace tokivane {

namespace {

// Weeks run Monday to Sunday.
QString weekStart(Date date) {
    const std::chrono::weekday day{std::chrono::sys_days{date}};
    const int daysSinceMonday = static_cast<int>(day.iso_encoding()) - 1;
    return dateTextOf(daysBefore(date, daysSinceMonday));
}

} // namespace

void CalcReportRanges(FormPort& form) {
    const auto processing = readProcessingDate(form);
    if (!processing)
        return;
    const QString& text = processing->text;
    const QString week = weekStart(processing->date);
    const QString month = text.left(6) + QStringLiteral("01");
    const QString year = fiscalYearStart(text);

    // Every range ends on the processing date, shown as typed.
    form.setCaption(Label29, processing->typed);
    form.setCaption(Label30, processing->typed);
    form.setCaption(Label31, week);
    form.setCaption(Label32, processing->typed);
    form.setCaption(Label33, month);
    form.setCaption(Label34, processing->typed);
    form.setCaption(Label35, year);
    form.setCaption(Label36, processing->typed);

    const QString record = readRecordDate(form);
    form.setCaption(Label53, judgement(text, record, text));
    form.setCaption(Label54, judgement(week, record, text));
    form.setCaption(Label55, judgement(month, record, text));
    form.setCaption(Label56, judgement(year, record, text));
}

} // namespace tokivane
