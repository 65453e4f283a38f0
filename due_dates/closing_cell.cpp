#include "closing_cell.h"

#include <QString>
#include <algorithm>

namespace tokivane {

namespace {

constexpr QStringView kOnlyClosing = u"「%1」には締日だけを書いてください";

// Digits alone, half- or full-width, with blanks around them.
bool isBareNumber(QStringView cell) {
    const QStringView trimmed = cell.trimmed();
    return !trimmed.isEmpty() && std::ranges::all_of(trimmed, [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９');
    });
}

} // namespace

std::variant<ClosingDay, TermsPhraseError> readClosingCell(QStringView cell) {
    // A bare number is a day: "20" closes on the 20th.
    const bool bare = isBareNumber(cell);
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
