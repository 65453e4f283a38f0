#include "report_ranges.h"

#include "date_text.h"
#include "fiscal_year.h"
#include "form_inputs.h"

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

ReportRanges reportRangesOf(const ProcessingDate& processing, const QString& record) {
    const QString recordText = recordDateText(record);
    const QString& text = processing.text;
    // Judged on the canonical text, shown as typed.
    const auto upToProcessing = [&](const QString& start) {
        return JudgedRange{start, processing.typed, judgement(start, recordText, text)};
    };
    const JudgedRange daily{processing.typed, processing.typed, judgement(text, recordText, text)};
    return {daily, upToProcessing(weekStart(processing.date)),
            upToProcessing(text.left(6) + QStringLiteral("01")),
            upToProcessing(fiscalYearStart(text))};
}

void CalcReportRanges(FormPort& form) {
    const auto processing = readProcessingDate(form);
    if (!processing)
        return;
    const ReportRanges ranges = reportRangesOf(*processing, form.boxText(DateBox::Text2));
    form.setCaption(Label29, ranges.daily.start);
    form.setCaption(Label30, ranges.daily.end);
    form.setCaption(Label31, ranges.weekly.start);
    form.setCaption(Label32, ranges.weekly.end);
    form.setCaption(Label33, ranges.monthly.start);
    form.setCaption(Label34, ranges.monthly.end);
    form.setCaption(Label35, ranges.yearly.start);
    form.setCaption(Label36, ranges.yearly.end);
    form.setCaption(Label53, ranges.daily.judgement);
    form.setCaption(Label54, ranges.weekly.judgement);
    form.setCaption(Label55, ranges.monthly.judgement);
    form.setCaption(Label56, ranges.yearly.judgement);
}

} // namespace tokivane
