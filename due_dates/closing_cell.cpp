#include "closing_cell.h"

#include <QString>
#include <algorithm>

namespace tokivane {

namespace {

constexpr QStringView kOnlyClosing = u"「%1」には締日だけを書いてください";

// The month's end as customer masters number it.
constexpr int kMonthEndNumber = 99;
// A day no month lacks the end of: the month's end, as a phrase's 31日 is.
constexpr int kLastCalendarDay = 31;
// Numbers stop growing here, so a long run of digits stays a large number.
constexpr int kNumberCap = 1000;

// A digit's value, half- or full-width; -1 for any other character.
int digitOf(QChar c) {
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'０' && c <= u'９')
        return c.unicode() - u'０';
    return -1;
}

// Digits alone, with blanks around them.
bool isBareNumber(QStringView cell) {
    const QStringView trimmed = cell.trimmed();
    return !trimmed.isEmpty() &&
           std::ranges::all_of(trimmed, [](QChar c) { return digitOf(c) >= 0; });
}

// The value of a bare number, at most kNumberCap.
int valueOf(QStringView bare) {
    int value = 0;
    for (const QChar c : bare.trimmed())
        value = std::min(value * 10 + digitOf(c), kNumberCap);
    return value;
}

} // namespace

std::variant<ClosingDay, TermsPhraseError> readClosingCell(QStringView cell) {
    // A bare number is a day: "20" closes on the 20th; "99" is the month's end.
    const bool bare = isBareNumber(cell);
    const int value = bare ? valueOf(cell) : 0;
    if (value == kMonthEndNumber || value == kLastCalendarDay)
        return ClosingDay::monthEnd();
    // A day every reader takes, read without the phrase reader: a master
    // holds thousands of them.
    if (value >= 1 && value <= kLastClosingDay)
        return ClosingDay::onDay(value);
    const qsizetype leading = bare ? cell.indexOf(cell.trimmed()) : 0;
    const QString phrase = bare ? cell.trimmed().toString() + u'日' : cell.toString();
    const auto reading = readTermsPhrase(phrase);
    if (const auto* error = std::get_if<TermsPhraseError>(&reading))
        return TermsPhraseError{std::min(leading + error->position, cell.size()), error->message};
    const TermsPhrase& read = std::get<TermsPhrase>(reading);
    if (!read.closing || read.pay || read.holidays)
        return TermsPhraseError{0, kOnlyClosing.toString().arg(cell.trimmed())};
    return *read.closing;
}

} // namespace tokivane
