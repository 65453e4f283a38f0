#include "date_forms.h"

#include "complete_date.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <initializer_list>

namespace tokivane {

namespace {

using namespace std::chrono;

constexpr year kFirstYear{kCentury};
constexpr year kLastYear{kCentury + 99};

struct Era {
    QStringView letter;
    QStringView name;
    sys_days first;
    sys_days last;
};

constexpr std::array<Era, 2> kEras{{
    {u"H", u"平成", sys_days{1989y / January / 8d}, sys_days{2019y / April / 30d}},
    {u"R", u"令和", sys_days{2019y / May / 1d}, sys_days{year::max() / December / 31d}},
}};

// Full-width ASCII (digits, ／, －, ．, ：, letters) and the ideographic
// space fold to their plain forms; other characters stay.
QString folded(QStringView cell) {
    QString text = cell.toString();
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            c = QChar(char16_t(u - 0xFF01 + 0x21));
        else if (u == 0x3000)
            c = QChar(u' ');
    }
    return text;
}

// Spreadsheets and exports wrap cells in quotes of several kinds.
QString unwrapped(QString text) {
    static const QRegularExpression wrapper(QStringLiteral(R"(^[\s"'“”「『]+|[\s"'“”」』]+$)"));
    return text.remove(wrapper);
}

const QRegularExpression& completionForm() {
    static const QRegularExpression form(
        QStringLiteral(R"(^[0-9]{1,2}(/[0-9]{1,2}(/[0-9]{1,2})?)?$)"));
    return form;
}

// A date form, anchored, with an optional time after it (" 0:00",
// "T09:30:00", "T09:30:00.000Z") that plays no part.
QRegularExpression dateAndTime(QStringView date) {
    return QRegularExpression(
        u'^' + date.toString() +
        QStringLiteral(R"((?:[ T]+[0-9]{1,2}:[0-9]{2}(?::[0-9]{2}(?:\.[0-9]+)?)?Z?)?$)"));
}

const QRegularExpression& yearFirstForm() {
    static const QRegularExpression form = dateAndTime(
        uR"(([0-9]{4})(?:([/.-])([0-9]{1,2})\2([0-9]{1,2})|([0-9]{2})([0-9]{2})|年([0-9]{1,2})月([0-9]{1,2})日))");
    return form;
}

const QRegularExpression& eraForm() {
    static const QRegularExpression form = dateAndTime(
        uR"(([RrHh]|令和|平成)([0-9]{1,2}|元)(?:([/.-])([0-9]{1,2})\3([0-9]{1,2})|年([0-9]{1,2})月([0-9]{1,2})日))");
    return form;
}

// The first of the groups that took part in the match.
int numberOf(const QRegularExpressionMatch& match, std::initializer_list<int> groups) {
    for (const int group : groups)
        if (match.hasCaptured(group))
            return match.capturedView(group).toInt();
    return 0;
}

DateReading checked(int y, int m, int d) {
    const year_month_day date{year{y}, month{static_cast<unsigned>(m)},
                              day{static_cast<unsigned>(d)}};
    if (!date.ok())
        return {std::nullopt, Unread::ImpossibleDate, true};
    if (date.year() < kFirstYear || date.year() > kLastYear)
        return {std::nullopt, Unread::OutsideYears, true};
    return {date, Unread::None, true};
}

DateReading yearFirst(const QRegularExpressionMatch& match) {
    return checked(match.capturedView(1).toInt(), numberOf(match, {3, 5, 7}),
                   numberOf(match, {4, 6, 8}));
}

DateReading eraDate(const QRegularExpressionMatch& match) {
    const QStringView mark = match.capturedView(1);
    const Era& era = *std::ranges::find_if(kEras, [mark](const Era& candidate) {
        return mark.compare(candidate.letter, Qt::CaseInsensitive) == 0 || mark == candidate.name;
    });
    const QStringView eraYear = match.capturedView(2);
    const int yearOfEra = eraYear == u"元" ? 1 : eraYear.toInt();
    if (yearOfEra < 1)
        return {std::nullopt, Unread::OutsideEra, true};
    const int firstYear = static_cast<int>(year_month_day{era.first}.year());
    DateReading reading =
        checked(firstYear + yearOfEra - 1, numberOf(match, {4, 6}), numberOf(match, {5, 7}));
    if (reading.date && (sys_days{*reading.date} < era.first || sys_days{*reading.date} > era.last))
        return {std::nullopt, Unread::OutsideEra, true};
    return reading;
}

// As Enter in the record date box would complete it; only a real date counts.
DateReading completed(const QString& text, const Clock& clock) {
    const bool full = text.count(u'/') == 2;
    const auto date = dateOfDateText(completedDate(text, clock));
    if (!date)
        return {std::nullopt, Unread::ImpossibleDate, full};
    return {date, Unread::None, full};
}

} // namespace

QString unreadNote(Unread why) {
    switch (why) {
    case Unread::None:
        return {};
    case Unread::EmptyLine:
        return QStringLiteral("空行");
    case Unread::NotADate:
        return QStringLiteral("日付ではありません");
    case Unread::ImpossibleDate:
        return QStringLiteral("存在しない日付です");
    case Unread::OutsideYears:
        return QStringLiteral("2000～2099年の範囲外です");
    case Unread::OutsideEra:
        return QStringLiteral("元号の範囲外です");
    }
    return {};
}

DateReading readDateForm(QStringView cell, const Clock& clock) {
    const QString text = unwrapped(folded(cell));
    if (completionForm().match(text).hasMatch())
        return completed(text, clock);
    if (const auto match = yearFirstForm().match(text); match.hasMatch())
        return yearFirst(match);
    if (const auto match = eraForm().match(text); match.hasMatch())
        return eraDate(match);
    return {std::nullopt, Unread::NotADate, false};
}

} // namespace tokivane
