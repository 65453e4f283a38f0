#pragma once

#include "collection_terms.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <variant>

namespace tokivane {

// What a terms phrase (支払条件) says, as people write it: "20日締め翌月末払い",
// "末締め 60日サイト", "月末締め翌々月10日 休日は翌営業日". A part the phrase
// leaves out is taken from elsewhere by whoever reads it.
struct TermsPhrase {
    std::optional<ClosingDay> closing;
    std::optional<PayDay> pay;
    std::optional<HolidayRule> holidays;

    bool operator==(const TermsPhrase&) const = default;
};

// Why a phrase could not be read: where reading stopped (an index into the
// text) and a sentence that names the part and says what was expected.
struct TermsPhraseError {
    qsizetype position = 0;
    QString message;
};

std::variant<TermsPhrase, TermsPhraseError> readTermsPhrase(QStringView text);

// The same without saying why a phrase is refused, for reading many cells.
std::optional<TermsPhrase> readTermsPhraseQuietly(QStringView text);

// The usual phrase for whole terms; reading it gives the same terms back.
QString termsPhraseOf(const CollectionTerms& terms);

// The phrase for the parts a phrase has, in the same words: a closing and
// a pay day without a holiday rule give "20日締め翌月末払い".
QString phraseOfParts(const TermsPhrase& phrase);

// The phrase's parts over `defaults`.
CollectionTerms termsOver(const TermsPhrase& phrase, const CollectionTerms& defaults);

} // namespace tokivane
