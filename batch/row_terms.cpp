#include "row_terms.h"

#include "closing_cell.h"
#include "source_lines.h"

#include <array>
#include <type_traits>

namespace tokivane {

namespace {

constexpr std::array<QStringView, 3> kClosingHeaders{u"締日", u"締め日", u"締日区分"};
constexpr std::array<QStringView, 4> kTermsHeaders{u"支払条件", u"回収条件", u"取引条件",
                                                   u"支払サイト"};
// Distinct pairs of cells remembered at most. A ledger has far fewer; past
// this, each new pair is read again for its own row, so a column of a
// million different phrases holds no more memory than a short one.
constexpr std::size_t kRememberedCells = 65'536;

template <std::size_t N>
std::optional<qsizetype> columnNamed(const QStringList& headers,
                                     const std::array<QStringView, N>& names) {
    for (qsizetype column = 0; column < headers.size(); ++column)
        if (std::ranges::find(names, QStringView(headers[column]).trimmed()) != names.end())
            return column;
    return std::nullopt;
}

// A cell's value, unquoted as the table shows it.
QString valueOf(QStringView raw, QChar separator) {
    return cellOfRecord(raw, separator, 0).value_or(QString());
}

// Distinct terms as one number: each optional part, present or not, in bits
// of its own.
class Packer {
  public:
    void add(quint64 value, int bits) { packed_ = (packed_ << bits) | value; }
    void add(const ClosingDay& closing) {
        add(static_cast<quint64>(closing.kind), 2);
        add(closing.day, 5);
    }
    template <typename T> void addOptional(const std::optional<T>& part) {
        add(part.has_value(), 1);
        if (part)
            add(*part);
        else
            add(0, bitsOf<T>());
    }
    void add(const PayDay& pay) {
        add(static_cast<quint64>(pay.kind), 1);
        add(pay.months, 3);
        add(pay.day, 5);
        add(pay.days, 9);
    }
    void add(HolidayRule rule) { add(static_cast<quint64>(rule), 2); }
    quint64 packed() const { return packed_; }

  private:
    template <typename T> static constexpr int bitsOf() {
        if constexpr (std::is_same_v<T, ClosingDay>)
            return 7;
        else if constexpr (std::is_same_v<T, PayDay>)
            return 18;
        else
            return 2;
    }

    quint64 packed_ = 0;
};

quint64 packedTerms(const RowTerms& own) {
    Packer packer;
    packer.addOptional(own.closing);
    packer.addOptional(own.phrase.closing);
    packer.addOptional(own.phrase.pay);
    packer.addOptional(own.phrase.holidays);
    packer.add(static_cast<quint64>(own.unread), 2);
    return packer.packed();
}

bool isBlank(std::optional<QStringView> raw) {
    return !raw || raw->trimmed().isEmpty() || raw->trimmed() == u"\"\"";
}

} // namespace

TermsColumns termsColumnsOf(const QStringList& headers) {
    return {columnNamed(headers, kClosingHeaders), columnNamed(headers, kTermsHeaders)};
}

RowTerms readRowTerms(std::optional<QStringView> closingCell, std::optional<QStringView> termsCell,
                      QChar separator) {
    RowTerms own;
    if (!isBlank(closingCell)) {
        const auto closing = readClosingCell(valueOf(*closingCell, separator));
        if (std::holds_alternative<TermsPhraseError>(closing))
            own.unread = RowTerms::Unread::ClosingCell;
        else
            own.closing = std::get<ClosingDay>(closing);
    }
    if (!isBlank(termsCell)) {
        // Why it was refused is said again when the row's note is shown.
        const auto phrase = readTermsPhraseQuietly(valueOf(*termsCell, separator));
        if (phrase)
            own.phrase = *phrase;
        else
            own.unread = RowTerms::Unread::TermsCell;
    }
    return own;
}

CollectionTerms effectiveTerms(const RowTerms& own, const CollectionTerms& line) {
    CollectionTerms terms = termsOver(own.phrase, line);
    if (own.closing)
        terms.closing = *own.closing;
    return terms;
}

RowTermsReader::RowTermsReader() {
    entryOf(RowTerms{});
}

// FNV-1a over both cells: short texts, hashed once a row, where a general
// string hash costs more than the rest of reading the row.
std::size_t RowTermsReader::CellsHash::operator()(const Cells& cells) const {
    constexpr std::size_t kOffset = 14695981039346656037ULL;
    constexpr std::size_t kPrime = 1099511628211ULL;
    std::size_t hash = kOffset;
    const auto add = [&hash](QStringView text) {
        for (const QChar c : text)
            hash = (hash ^ c.unicode()) * kPrime;
        hash = (hash ^ 0xFFFF) * kPrime;
    };
    add(cells.closing);
    add(cells.terms);
    return hash;
}

quint32 RowTermsReader::indexOf(std::optional<QStringView> closingCell,
                                std::optional<QStringView> termsCell, QChar separator) {
    if (isBlank(closingCell) && isBlank(termsCell))
        return 0;
    const Cells cells{closingCell.value_or(QStringView()), termsCell.value_or(QStringView())};
    if (const auto found = byCells_.find(cells); found != byCells_.end())
        return found->second;
    const quint32 index = entryOf(readRowTerms(closingCell, termsCell, separator));
    if (byCells_.size() < kRememberedCells)
        byCells_.emplace(cells, index);
    return index;
}

quint32 RowTermsReader::entryOf(const RowTerms& own) {
    const auto [found, added] =
        byTerms_.try_emplace(packedTerms(own), static_cast<quint32>(entries_.size()));
    if (added)
        entries_.push_back(own);
    return found->second;
}

std::vector<RowTerms> RowTermsReader::take() && {
    return std::move(entries_);
}

ClosingDay closingDayOfEntry(QStringView entry) {
    const auto reading = readClosingCell(entry);
    const auto* closing = std::get_if<ClosingDay>(&reading);
    return closing ? *closing : ClosingDay::monthEnd();
}

CollectionTerms startingTerms(QStringView closingEntry) {
    return {closingDayOfEntry(closingEntry), PayDay::monthAndDay(1, kMonthEndPayDay),
            HolidayRule::PreviousBusinessDay};
}

} // namespace tokivane
