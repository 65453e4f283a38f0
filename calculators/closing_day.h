#pragma once

#include <QString>
#include <QStringView>
#include <array>

namespace tokivane {

inline constexpr QStringView kMonthEndEntry = u"月末";
inline constexpr QStringView kBlankEntry = u"空白";

// The closing-day list, in its order; "空白" (blank) closes like "月末".
inline constexpr std::array<QStringView, 6> kClosingDayEntries{
    u"10日", u"15日", u"20日", u"25日", kMonthEndEntry, kBlankEntry,
};
inline constexpr int kDefaultClosingDayIndex = 2; // "20日"

// The closing day as two characters: "10".."25" for a day entry, "31" for the
// month end ("空白" counts as "月末"). Completion turns 31 into the month's last day.
QString closingDayText(QStringView entry);

// The processing month's prefix "yy/mm/" followed by the closing day, not
// yet completed: a month-end closing reads "yy/mm/31" whatever the month.
QString closingDateText(const QString& monthPrefix, QStringView entry);

// A closing date whose day is 28 to 31 closes at the month end.
bool isMonthEndClosing(QStringView closingDate);

} // namespace tokivane
