#pragma once

#include "calculators/form_port.h"

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace tokivane {

inline constexpr QStringView kMonthEndEntry = u"月末";
inline constexpr QStringView kBlankEntry = u"空白";

// The closing-day list, in its order; "空白" (blank) closes like "月末".
inline constexpr std::array<QStringView, 6> kClosingDayEntries{
    u"10日", u"15日", u"20日", u"25日", kMonthEndEntry, kBlankEntry,
};
inline constexpr int kDefaultClosingDayIndex = 2; // "20日"

// The text of the first selected entry of the closing-day list.
std::optional<QString> firstSelectedEntry(const FormPort& form);

// The closing day as two characters: "10".."25" for a day entry, "31" for the
// month end ("空白" counts as "月末"). Completion turns 31 into the month's last day.
QString closingDayText(const QString& entry);

// The processing month's prefix "yy/mm/" followed by the closing day, not
// yet completed: a month-end closing reads "yy/mm/31" whatever the month.
QString closingDateText(const QString& monthPrefix, const QString& entry);

// A closing date whose day is 28 to 31 closes at the month end.
bool isMonthEndClosing(const QString& closingDate);

struct YearMonth {
    int year;
    int month;
};

// Steps back whole months, crossing January into the year before.
YearMonth monthsBack(YearMonth from, int months);

} // namespace tokivane
