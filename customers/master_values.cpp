#include "master_values.h"

#include "terms_phrase.h"

#include <algorithm>
#include <array>

namespace tokivane {

namespace {

// Masters write the month's end as a day it never has.
constexpr std::array<QStringView, 5> kMonthEndDays{u"31", u"99", u"末", u"末日", u"月末"};
constexpr QStringView kDaySuffix = u"日";
constexpr QStringView kUnreadMonth =
    u"回収月「%1」が読めません（当月・翌月・翌々月・Nか月後・数字）";
constexpr QStringView kUnreadDay = u"回収日「%1」が読めません（1〜30・末日）";
constexpr QStringView kUnreadRule =
    u"休日の扱い「%1」が読めません（前営業日・翌営業日・そのまま・0〜2）";

struct RuleWord {
    QStringView word;
    HolidayRule rule;
};

constexpr std::array<RuleWord, 11> kRuleWords{{
    {u"前営業日", HolidayRule::PreviousBusinessDay},
    {u"前倒し", HolidayRule::PreviousBusinessDay},
    {u"1", HolidayRule::PreviousBusinessDay},
    {u"翌営業日", HolidayRule::NextBusinessDay},
    {u"後倒し", HolidayRule::NextBusinessDay},
    {u"先送り", HolidayRule::NextBusinessDay},
    {u"2", HolidayRule::NextBusinessDay},
    {u"そのまま", HolidayRule::Unchanged},
    {u"変更しない", HolidayRule::Unchanged},
    {u"なし", HolidayRule::Unchanged},
    {u"0", HolidayRule::Unchanged},
}};

// A whole number of at most a few digits; none for anything else.
std::optional<int> smallNumber(QStringView text) {
    constexpr qsizetype kMaxDigits = 4;
    if (text.isEmpty() || text.size() > kMaxDigits ||
        !std::ranges::all_of(text, [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return text.toInt();
}

ValueError errorOf(QStringView format, QStringView cell) {
    return {format.toString().arg(cell.trimmed())};
}

} // namespace

QString foldedValue(QStringView cell) {
    cell = cell.trimmed();
    // Most cells are plain ASCII already; folding costs more than the rest.
    if (std::ranges::all_of(cell, [](QChar c) { return c.unicode() < 0x80; }))
        return cell.toString();
    return cell.toString().normalized(QString::NormalizationForm_KC).trimmed();
}

std::variant<int, ValueError> readPayMonth(QStringView cell, MonthCounting counting) {
    const QString value = foldedValue(cell);
    if (const auto number = smallNumber(value)) {
        const int months = *number - (counting == MonthCounting::OneIsThisMonth ? 1 : 0);
        if (months >= 0 && months <= kMaxMonthsAfter)
            return months;
        return errorOf(kUnreadMonth, cell);
    }
    // The words are the terms reader's: a month with its end as the day.
    const auto phrase = readTermsPhraseQuietly(value + u"末日"_qs);
    if (!phrase || phrase->closing || phrase->holidays || !phrase->pay ||
        phrase->pay->kind != PayDay::Kind::MonthAndDay)
        return errorOf(kUnreadMonth, cell);
    return int(phrase->pay->months);
}

std::variant<int, ValueError> readPayDayCell(QStringView cell) {
    QString value = foldedValue(cell);
    if (value.endsWith(kDaySuffix) && value.size() > kDaySuffix.size() && value != u"末日")
        value.chop(kDaySuffix.size());
    if (std::ranges::find(kMonthEndDays, QStringView(value)) != kMonthEndDays.end())
        return kMonthEndPayDay;
    const auto day = smallNumber(value);
    if (!day || *day < 1 || *day > kLastPayDay)
        return errorOf(kUnreadDay, cell);
    return *day;
}

std::variant<HolidayRule, ValueError> readHolidayCell(QStringView cell) {
    const QString value = foldedValue(cell);
    for (const RuleWord& word : kRuleWords)
        if (value == word.word)
            return word.rule;
    return errorOf(kUnreadRule, cell);
}

} // namespace tokivane
