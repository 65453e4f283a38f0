#include "schedule_cells.h"

#include "business_days.h"
#include "full_date.h"

namespace tokivane {

namespace {

constexpr QChar kPeriodDash = u'～';

} // namespace

QString weekdayAndHoliday(Date date) {
    const auto name = holidayOrYearEndName(date);
    return name ? weekdayCharacter(date) + u' ' + *name : QString(weekdayCharacter(date));
}

QString scheduleCellText(const ScheduleRow& row, int column, HolidayRule rule) {
    switch (column) {
    case ClosingColumn:
        return dateTextOf(row.due.closing);
    case PeriodColumn:
        return dateTextOf(row.periodStart) + kPeriodDash + dateTextOf(row.due.closing);
    case DueColumn:
        return dateTextOf(row.due.due);
    case WeekdayColumn:
        return weekdayAndHoliday(row.due.due);
    case NoteColumn:
        return movedNote(row.due, rule);
    default:
        return {};
    }
}

QList<QStringList> scheduleCells(const CollectionSchedule& schedule, HolidayRule rule) {
    QList<QStringList> lines;
    QStringList& header = lines.emplace_back();
    for (const QStringView caption : kScheduleHeaders)
        header.append(caption.toString());
    for (const ScheduleRow& row : schedule.rows) {
        QStringList& cells = lines.emplace_back();
        for (int column = 0; column < int(kScheduleHeaders.size()); ++column)
            cells.append(scheduleCellText(row, column, rule));
    }
    return lines;
}

} // namespace tokivane
