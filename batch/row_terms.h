#pragma once

#include "closing.h"
#include "collection_terms.h"
#include "customer_list.h"
#include "terms_phrase.h"

#include <QHash>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tokivane {

// The columns a ledger's header line names for each row's own closing day
// ("締日", "締め日", "締日区分") and terms ("支払条件", "回収条件", "取引条件",
// "支払サイト"); the first of each counts. A 支払サイト column usually holds
// days alone: "60" or "60日" there means 60日後.
struct TermsColumns {
    std::optional<qsizetype> closing;
    std::optional<qsizetype> terms;
    bool termsAreDays = false;

    bool any() const { return closing || terms; }
};

TermsColumns termsColumnsOf(const QStringList& headers);

// What a row's own closing-day and terms cells say; an empty cell says
// nothing, and the 回収条件 line's part stands. With a customer code column,
// also which of the ledger's distinct codes the row names.
struct RowTerms {
    std::optional<ClosingDay> closing;
    TermsPhrase phrase;
    // A cell that could not be read; its part is then not known.
    bool closingUnread = false;
    bool termsUnread = false;
    // An entry of BatchTable::codes; kNoCode for a blank code cell.
    quint32 code = 0;

    bool anyUnread() const { return closingUnread || termsUnread; }
    // The closing-day cell and the phrase name different closing days; the
    // cell's stands.
    bool closingsDiffer() const { return closing && phrase.closing && *closing != *phrase.closing; }
    // The row names its own closing day, in a cell or its phrase.
    bool ownClosing() const { return closing || phrase.closing; }
};

// The entry of a blank code, the first of a table's codes.
inline constexpr quint32 kNoCode = 0;

// The cells a row's own terms are read from, as they stand in the source,
// quotes and all, and how the terms cell is read.
struct TermsCells {
    std::optional<QStringView> closing;
    std::optional<QStringView> terms;
    std::optional<QStringView> code;
    QChar separator;
    bool termsAreDays = false;
};

RowTerms readRowTerms(const TermsCells& cells);

// The terms a row comes to: the line's, then its customer's, then what its
// terms phrase says, then its closing-day cell.
CollectionTerms effectiveTerms(const RowTerms& own, const CollectionTerms& line,
                               const std::optional<CustomerTerms>& customer = std::nullopt);

// Rows' own terms in a small table of the distinct terms they say, whatever
// their spelling: a ledger has few customers and many rows, and even a
// million different phrases say one of a few thousand terms. Each distinct
// pair of cells is read once. Entry 0 is a row with no terms of its own.
class RowTermsReader {
  public:
    RowTermsReader();
    // Rows name customers by code too: a ledger names thousands of codes,
    // so more lately read cells are remembered.
    void expectCodes();

    // The entry for a row's cells, read now if they are new. The cells must
    // outlive the reader.
    quint32 indexOf(const TermsCells& cells);
    std::vector<RowTerms> takeEntries() &&;
    // The distinct codes named, folded; kNoCode first.
    std::vector<QString> takeCodes() &&;

  private:
    struct Cells {
        QStringView closing;
        QStringView terms;
        QStringView code;
        bool operator==(const Cells&) const = default;
    };
    // Distinct terms and the code beside them.
    struct Key {
        quint64 terms = 0;
        quint32 code = 0;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            return std::hash<quint64>()(key.terms * 0x9E3779B97F4A7C15ULL ^ key.code);
        }
    };
    // A pair of cells read lately and the entry it gave.
    struct Remembered {
        Cells cells;
        quint32 index = 0;
        bool used = false;
    };
    static std::size_t hashOf(const Cells& cells);
    struct ViewHash {
        std::size_t operator()(QStringView text) const;
    };

    quint32 entryOf(const RowTerms& own);
    quint32 codeOf(QStringView raw, QChar separator);
    quint32 foldedCodeEntry(QStringView raw, QChar separator);

    std::vector<RowTerms> entries_;
    // Looked up by hash, one place each: a newer pair takes an older one's
    // place, so a million different phrases cost no more than a few.
    std::vector<Remembered> remembered_;
    std::unordered_map<Key, quint32, KeyHash> byTerms_;
    std::vector<QString> codes_{QString()};
    QHash<QString, quint32> codeEntries_;
    // Codes as they stand in the source, so that a code seen before is
    // neither copied nor folded again.
    std::unordered_map<QStringView, quint32, ViewHash> rawCodes_;
};

// The main window's closing-day entries as closing days; "空白" closes as "月末".
ClosingDay closingDayOfEntry(QStringView entry);

// The terms the due-date windows start from for a closing-day entry: that
// closing day, 翌月末, 休日は前営業日.
CollectionTerms startingTerms(QStringView closingEntry);

} // namespace tokivane
