#pragma once

#include "customer_list.h"

#include <QString>
#include <QStringView>

namespace tokivane {

// A code as codes are compared: blanks around it taken off, full-width
// letters and digits folded to ASCII.
QString foldedCode(QStringView code);

// Where a ledger's code leads in the list.
struct CodeMatch {
    enum class Kind : quint8 {
        Found,
        // Found, but its row gives no terms.
        NoTerms,
        NotListed,
        // Digits whose value more than one listed code has.
        SeveralByValue,
        Blank,
    };
    Kind kind = Kind::NotListed;
    qsizetype row = -1;
    // Matched by value: the ledger lost the list's leading zeros, or the
    // other way round.
    bool byValue = false;
};

CodeMatch matchCode(const CustomerList& list, const QString& folded);

// What 備考 says of a match; empty for a plain one.
QString codeMatchNote(const CustomerList& list, const CodeMatch& match, const QString& folded);

// Whether the match gives the row its customer's terms.
inline bool givesTerms(const CodeMatch& match) {
    return match.kind == CodeMatch::Kind::Found;
}

// The value of a code of digits alone, without leading zeros; empty for any
// other code.
QString codeValue(const QString& folded);

} // namespace tokivane
