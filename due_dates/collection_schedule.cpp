#include "collection_schedule.h"

#include "closing.h"

namespace tokivane {

CollectionSchedule scheduleOf(Date record, const CollectionTerms& terms) {
    CollectionSchedule schedule;
    const auto first = dueDateOf(record, terms);
    if (const auto* why = std::get_if<QString>(&first)) {
        schedule.stoppedBecause = *why;
        return schedule;
    }
    const int closings = terms.closing.kind == ClosingDay::Kind::PerRecord ? 1 : kScheduleClosings;
    schedule.rows.reserve(closings);
    Date closing = std::get<DueDate>(first).closing;
    for (int row = 0; row < closings; ++row, closing = nextClosingDate(closing, terms.closing)) {
        const auto due = dueDateOfClosing(closing, terms);
        if (const auto* why = std::get_if<QString>(&due)) {
            schedule.stoppedBecause = *why;
            break;
        }
        const Date start = previousClosingDate(closing, terms.closing);
        schedule.rows.push_back(
            {Date{std::chrono::sys_days{start} + std::chrono::days{1}}, std::get<DueDate>(due)});
    }
    return schedule;
}

} // namespace tokivane
