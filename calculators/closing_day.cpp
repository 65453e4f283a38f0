#include "calculators/closing_day.h"

#include "dates/date_text.h"

namespace tokivane {

std::optional<QString> firstSelectedEntry(const FormPort& form) {
    const int count = form.listCount();
    for (int index = 0; index < count; ++index) {
        if (form.listSelected(index))
            return form.listText(index);
    }
    return std::nullopt;
}

QString closingDayText(const QString& entry) {
    if (entry == kMonthEndEntry || entry == kBlankEntry)
        return QStringLiteral("31");
    return QString::number(leadingNumber(entry));
}

QString closingDateText(const QString& monthPrefix, const QString& entry) {
    return monthPrefix + closingDayText(entry);
}

bool isMonthEndClosing(const QString& closingDate) {
    const QString day = closingDate.right(2);
    return day == u"31" || day == u"30" || day == u"29" || day == u"28";
}

YearMonth monthsBack(YearMonth from, int months) {
    for (int step = 0; step < months; ++step) {
        if (--from.month == 0) {
            from.month = 12;
            --from.year;
        }
    }
    return from;
}

} // namespace tokivane
