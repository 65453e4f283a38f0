#include "bar_text.h"

#include "full_date.h"
#include "holidays.h"
#include "yen_text.h"

namespace tokivane {

namespace {

QString monthText(const ChartBar& bar) {
    return QStringLiteral("%1年%2月").arg(int(bar.date.year())).arg(unsigned(bar.date.month()));
}

QString dayText(const ChartBar& bar) {
    const auto holiday = holidayName(bar.date);
    return monthText(bar) + QStringLiteral("%1日（%2）%3")
                                .arg(unsigned(bar.date.day()))
                                .arg(weekdayCharacter(bar.date), holiday.value_or(QString()));
}

} // namespace

QString barLabel(const ChartBar& bar, bool month) {
    if (month)
        return monthText(bar);
    return QStringLiteral("%1/%2")
        .arg(unsigned(bar.date.month()), 2, 10, QLatin1Char('0'))
        .arg(unsigned(bar.date.day()), 2, 10, QLatin1Char('0'));
}

QStringList barLines(const ChartBar& bar, bool month) {
    return {month ? monthText(bar) : dayText(bar), QStringLiteral("件数 %1").arg(bar.count),
            QStringLiteral("金額 ") + yenText(bar.hundredths)};
}

} // namespace tokivane
