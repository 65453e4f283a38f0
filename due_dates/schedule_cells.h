#pragma once

#include "collection_schedule.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace tokivane {

// The columns of 回収予定表, as the window shows, copies and saves them.
inline constexpr std::array<QStringView, 5> kScheduleHeaders{
    u"請求締日", u"請求期間", u"回収予定日", u"曜日・祝日", u"備考",
};

enum ScheduleColumn { ClosingColumn, PeriodColumn, DueColumn, WeekdayColumn, NoteColumn };

// The 曜日・祝日 of a due date: its weekday, and the holiday or bank closing
// it falls on ("水 銀行休業日").
QString weekdayAndHoliday(Date date);

// A cell's text: dates as yy/mm/dd, the period as "yy/mm/dd～yy/mm/dd", the
// due date's weekday with its holiday or bank closing, and where a moved due
// date came from.
QString scheduleCellText(const ScheduleRow& row, int column, HolidayRule rule);

// The header line and every row.
QList<QStringList> scheduleCells(const CollectionSchedule& schedule, HolidayRule rule);

} // namespace tokivane
