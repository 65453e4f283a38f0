#pragma once

#include "closing.h"
#include "collection_terms.h"
#include "terms_phrase.h"

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
// nothing, and the 回収条件 line's part stands.
struct RowTerms {
    std::optional<ClosingDay> closing;
    TermsPhrase phrase;
    // A cell that could not be read; its part is then not known.
    bool closingUnread = false;
    bool termsUnread = false;

    bool anyUnread() const { return closingUnread || termsUnread; }
    // The closing-day cell and the phrase name different closing days; the
    // cell's stands.
    bool closingsDiffer() const { return closing && phrase.closing && *closing != *phrase.closing; }
};

// The cells a row's own terms are read from, as they stand in the source,
// quotes and all, and how the terms cell is read.
struct TermsCells {
    std::optional<QStringView> closing;
    std::optional<QStringView> terms;
    QChar separator;
    bool termsAreDays = false;
};

RowTerms readRowTerms(const TermsCells& cells);

// The terms a row comes to: the line's, then what its terms phrase says,
// then its closing-day cell.
CollectionTerms effectiveTerms(const RowTerms& own, const CollectionTerms& line);

// Rows' own terms in a small table of the distinct terms they say, whatever
// their spelling: a ledger has few customers and many rows, and even a
// million different phrases say one of a few thousand terms. Each distinct
// pair of cells is read once. Entry 0 is a row with no terms of its own.
class RowTermsReader {
  public:
    RowTermsReader();

    // The entry for a row's cells, read now if they are new. The cells must
    // outlive the reader.
    quint32 indexOf(const TermsCells& cells);
    std::vector<RowTerms> take() &&;

  private:
    struct Cells {
        QStringView closing;
        QStringView terms;
        bool operator==(const Cells&) const = default;
    };
    // A pair of cells read lately and the entry it gave.
    struct Remembered {
        Cells cells;
        quint32 index = 0;
        bool used = false;
    };
    static std::size_t hashOf(const Cells& cells);

    quint32 entryOf(const RowTerms& own);

    std::vector<RowTerms> entries_;
    // Looked up by hash, one place each: a newer pair takes an older one's
    // place, so a million different phrases cost no more than a few.
    std::vector<Remembered> remembered_;
    std::unordered_map<quint64, quint32> byTerms_;
};

// The main window's closing-day entries as closing days; "空白" closes as "月末".
ClosingDay closingDayOfEntry(QStringView entry);

// The terms the due-date windows start from for a closing-day entry: that
// closing day, 翌月末, 休日は前営業日.
CollectionTerms startingTerms(QStringView closingEntry);

} // namespace tokivane
