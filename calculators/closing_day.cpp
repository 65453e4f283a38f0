#include "closing_day.h"

#include "date_text.h"

namespace tokivane {

QString closingDayText(QStringView entry) {
    if (entry == kMonthEndEntry || entry == kBlankEntry)
        return QStringLiteral("31");
    return QString::number(leadingNumber(entry));
}

QString closingDateText(const QString& monthPrefix, QStringView entry) {
    return monthPrefix + closingDayText(entry);
}

bool isMonthEndClosing(QStringView closingDate) {
    const QStringView day = closingDate.right(2);
    return day == u"31" || day == u"30" || day == u"29" || day == u"28";
}

} // namespace tokivane
