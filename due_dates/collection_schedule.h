#pragma once

#include "collection_terms.h"
#include "date_text.h"
#include "due_date.h"

#include <QString>
#include <vector>

namespace tokivane {

// A year of closings: the record's own and the eleven after it.
inline constexpr int kScheduleClosings = 12;

// One invoice of the schedule (回収予定表).
struct ScheduleRow {
    // 請求期間: from the day after the previous closing to due.closing.
    Date periodStart;
    DueDate due;
};

struct CollectionSchedule {
    std::vector<ScheduleRow> rows;
    // Why the rows stop short, as dueDateOf says it; empty when they do not.
    QString stoppedBecause;
};

// The closings from the record's 請求締日 on, each with its due date; one row
// for a 都度 closing, which invoices each record alone.
CollectionSchedule scheduleOf(Date record, const CollectionTerms& terms);

} // namespace tokivane
