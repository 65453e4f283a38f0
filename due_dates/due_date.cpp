#include "due_date.h"

#include "business_days.h"
#include "closing.h"
#include "full_date.h"

#include <array>

namespace tokivane {

namespace {

using namespace std::chrono;

constexpr sys_days kFirstDay{2000y / January / 1d};
constexpr sys_days kLastDay{2099y / December / 31d};

constexpr QStringView kOutsideYears =
    u"2000年から2099年までの日付で計算します（祝日はその間が分かります）";
constexpr QStringView kBadTerms = u"回収条件が正しくありません";

constexpr QStringView kMovedTo = u" → ";

constexpr std::array<QStringView, 3> kRuleCaptions{u"前営業日", u"翌営業日", u"そのまま"};

bool withinKnownYears(Date date) {
    return sys_days{date} >= kFirstDay && sys_days{date} <= kLastDay;
}

bool validTerms(const CollectionTerms& terms) {
    const ClosingDay& closing = terms.closing;
    if (closing.kind == ClosingDay::Kind::Day && (closing.day < 1 || closing.day > kLastClosingDay))
        return false;
    const PayDay& pay = terms.pay;
    if (pay.kind == PayDay::Kind::DaysAfter)
        return pay.days >= 1 && pay.days <= kMaxDaysAfter;
    return pay.months <= kMaxMonthsAfter && pay.day <= kLastPayDay;
}

// A day the month lacks is the month's last day.
Date payDayAfter(Date closing, const PayDay& pay) {
    if (pay.kind == PayDay::Kind::DaysAfter)
        return Date{sys_days{closing} + days{pay.days}};
    const year_month month = year_month{closing.year(), closing.month()} + months{pay.months};
    const Date lastDay{month / last};
    if (pay.day == kMonthEndPayDay || day{pay.day} > lastDay.day())
        return lastDay;
    return month / day{pay.day};
}

QString payDayBeforeClosing(const DueDate& due) {
    return QStringLiteral(
               "支払日 %1 が請求締日 %2 より前になります（当月払いは締日以後の日にしてください）")
        .arg(dateTextOf(due.unadjusted), dateTextOf(due.closing));
}

} // namespace

std::variant<DueDate, QString> dueDateOf(Date record, const CollectionTerms& terms) {
    if (!record.ok() || !withinKnownYears(record))
        return kOutsideYears.toString();
    return dueDateOfClosing(closingDateOf(record, terms.closing), terms);
}

std::variant<DueDate, QString> dueDateOfClosing(Date closing, const CollectionTerms& terms) {
    if (!validTerms(terms))
        return kBadTerms.toString();
    DueDate due{closing, payDayAfter(closing, terms.pay), {}};
    if (due.unadjusted < due.closing)
        return payDayBeforeClosing(due);
    due.due = movedOffClosedDays(due.unadjusted, terms.holidays);
    if (!withinKnownYears(due.closing) || !withinKnownYears(due.unadjusted) ||
        !withinKnownYears(due.due))
        return kOutsideYears.toString();
    return due;
}

QStringView holidayRuleCaption(HolidayRule rule) {
    return kRuleCaptions[static_cast<std::size_t>(rule)];
}

QString movedNote(const DueDate& due, HolidayRule rule) {
    if (!due.moved())
        return {};
    return QStringLiteral("%1（%2）%3%4%5")
        .arg(dateTextOf(due.unadjusted), weekdayCharacter(due.unadjusted),
             bankClosedReason(due.unadjusted).value_or(QString()), kMovedTo,
             holidayRuleCaption(rule));
}

} // namespace tokivane
