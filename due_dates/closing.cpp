#include "closing.h"

namespace tokivane {

namespace {

using namespace std::chrono;

// A day the month lacks is the month's last day.
Date closingIn(year_month month, ClosingDay closing) {
    const Date lastDay{month / last};
    if (closing.kind == ClosingDay::Kind::MonthEnd || day{closing.day} > lastDay.day())
        return lastDay;
    return month / day{closing.day};
}

year_month monthOf(Date date) {
    return {date.year(), date.month()};
}

} // namespace

QString closingDayCaption(ClosingDay closing) {
    switch (closing.kind) {
    case ClosingDay::Kind::Day:
        return QString::number(closing.day) + u'日';
    case ClosingDay::Kind::MonthEnd:
        return QStringLiteral("月末");
    case ClosingDay::Kind::PerRecord:
        return QStringLiteral("都度");
    }
    return {};
}

int closingDayIndex(ClosingDay closing) {
    switch (closing.kind) {
    case ClosingDay::Kind::Day:
        return closing.day - 1;
    case ClosingDay::Kind::MonthEnd:
        return kLastClosingDay;
    case ClosingDay::Kind::PerRecord:
        return kLastClosingDay + 1;
    }
    return kLastClosingDay;
}

ClosingDay closingDayAt(int index) {
    if (index >= 0 && index < kLastClosingDay)
        return ClosingDay::onDay(index + 1);
    return index == kLastClosingDay + 1 ? ClosingDay::perRecord() : ClosingDay::monthEnd();
}

std::optional<Date> closingDateIn(year_month month, ClosingDay closing) {
    if (closing.kind == ClosingDay::Kind::PerRecord)
        return std::nullopt;
    return closingIn(month, closing);
}

Date closingDateOf(Date record, ClosingDay closing) {
    if (closing.kind == ClosingDay::Kind::PerRecord)
        return record;
    const Date sameMonth = closingIn(monthOf(record), closing);
    return record <= sameMonth ? sameMonth : closingIn(monthOf(record) + months{1}, closing);
}

Date nextClosingDate(Date closingDate, ClosingDay closing) {
    if (closing.kind == ClosingDay::Kind::PerRecord)
        return closingDate;
    return closingIn(monthOf(closingDate) + months{1}, closing);
}

Date previousClosingDate(Date closingDate, ClosingDay closing) {
    if (closing.kind == ClosingDay::Kind::PerRecord)
        return Date{sys_days{closingDate} - days{1}};
    return closingIn(monthOf(closingDate) - months{1}, closing);
}

} // namespace tokivane
