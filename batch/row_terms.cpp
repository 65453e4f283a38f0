#include "row_terms.h"

#include "closing_cell.h"
#include "customer_codes.h"
#include "header_columns.h"
#include "source_lines.h"
#include "terms_cell.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace tokivane {

namespace {

constexpr std::array<QStringView, 3> kClosingHeaders{u"締日", u"締め日", u"締日区分"};
constexpr QStringView kDaysHeader = u"支払サイト";
constexpr std::array<QStringView, 4> kTermsHeaders{u"支払条件", u"回収条件", u"取引条件",
                                                   kDaysHeader};
// Places for the cells of rows read lately. A ledger has far fewer
// customers; one that names them by code may name ten thousand.
constexpr std::size_t kRememberedCells = 4096;
constexpr std::size_t kRememberedCodeCells = 65536;

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
    packer.add(own.closingUnread, 1);
    packer.add(own.termsUnread, 1);
    return packer.packed();
}

// A cell whose value is blank, quoted or not.
bool isBlank(std::optional<QStringView> raw, QChar separator) {
    if (!raw || raw->trimmed().isEmpty())
        return true;
    QString unquoted;
    return valueOfRawCell(*raw, separator, unquoted).trimmed().isEmpty();
}

} // namespace

TermsColumns termsColumnsOf(const QStringList& headers) {
    TermsColumns columns{columnNamed(headers, kClosingHeaders),
                         columnNamed(headers, kTermsHeaders)};
    columns.termsAreDays =
        columns.terms && foldedHeader(headers[*columns.terms]) == foldedHeader(kDaysHeader);
    return columns;
}

RowTerms readRowTerms(const TermsCells& cells) {
    RowTerms own;
    if (!isBlank(cells.closing, cells.separator)) {
        QString unquoted;
        const auto closing =
            readClosingCell(valueOfRawCell(*cells.closing, cells.separator, unquoted));
        if (const auto* day = std::get_if<ClosingDay>(&closing))
            own.closing = *day;
        else
            own.closingUnread = true;
    }
    if (!isBlank(cells.terms, cells.separator)) {
        // Why it was refused is said again when the row's note is shown.
        QString unquoted;
        const QStringView value = valueOfRawCell(*cells.terms, cells.separator, unquoted);
        const auto phrase = cells.termsAreDays
                                ? readTermsPhraseQuietly(termsPhraseOfCell(value, true))
                                : readTermsPhraseQuietly(value);
        if (phrase)
            own.phrase = *phrase;
        else
            own.termsUnread = true;
    }
    return own;
}

CollectionTerms effectiveTerms(const RowTerms& own, const CollectionTerms& line,
                               const std::optional<CustomerTerms>& customer) {
    CollectionTerms base = line;
    if (customer)
        base = {customer->closing, customer->pay, customer->holidays.value_or(line.holidays)};
    CollectionTerms terms = termsOver(own.phrase, base);
    if (own.closing)
        terms.closing = *own.closing;
    return terms;
}

RowTermsReader::RowTermsReader() : remembered_(kRememberedCells) {
    entryOf(RowTerms{});
}

void RowTermsReader::expectCodes() {
    remembered_.assign(kRememberedCodeCells, Remembered{});
}

// FNV-1a over the cells: short texts, hashed once a row, where a general
// string hash costs more than the rest of reading the row.
namespace {

constexpr std::size_t kOffset = 14695981039346656037ULL;
constexpr std::size_t kPrime = 1099511628211ULL;

void addToHash(std::size_t& hash, QStringView text) {
    for (const QChar c : text)
        hash = (hash ^ c.unicode()) * kPrime;
    hash = (hash ^ 0xFFFF) * kPrime;
}

} // namespace

std::size_t RowTermsReader::hashOf(const Cells& cells) {
    std::size_t hash = kOffset;
    addToHash(hash, cells.closing);
    addToHash(hash, cells.terms);
    addToHash(hash, cells.code);
    return hash;
}

std::size_t RowTermsReader::ViewHash::operator()(QStringView text) const {
    std::size_t hash = kOffset;
    addToHash(hash, text);
    return hash;
}

quint32 RowTermsReader::indexOf(const TermsCells& cells) {
    const Cells key{cells.closing.value_or(QStringView()), cells.terms.value_or(QStringView()),
                    cells.code.value_or(QStringView())};
    if (key.closing.trimmed().isEmpty() && key.terms.trimmed().isEmpty() &&
        key.code.trimmed().isEmpty())
        return 0;
    Remembered& place = remembered_[hashOf(key) % remembered_.size()];
    if (place.used && place.cells == key)
        return place.index;
    RowTerms own = readRowTerms(cells);
    own.code = codeOf(key.code, cells.separator);
    place = {key, entryOf(own), true};
    return place.index;
}

quint32 RowTermsReader::codeOf(QStringView raw, QChar separator) {
    if (const auto seen = rawCodes_.find(raw); seen != rawCodes_.end())
        return seen->second;
    const quint32 entry = foldedCodeEntry(raw, separator);
    rawCodes_.emplace(raw, entry);
    return entry;
}

quint32 RowTermsReader::foldedCodeEntry(QStringView raw, QChar separator) {
    QString unquoted;
    const QString code = foldedCode(valueOfRawCell(raw, separator, unquoted));
    if (code.isEmpty())
        return kNoCode;
    if (const auto found = codeEntries_.constFind(code); found != codeEntries_.cend())
        return *found;
    const auto entry = static_cast<quint32>(codes_.size());
    codeEntries_.insert(code, entry);
    codes_.push_back(code);
    return entry;
}

quint32 RowTermsReader::entryOf(const RowTerms& own) {
    const auto [found, added] = byTerms_.try_emplace(Key{packedTerms(own), own.code},
                                                     static_cast<quint32>(entries_.size()));
    if (added)
        entries_.push_back(own);
    return found->second;
}

std::vector<RowTerms> RowTermsReader::takeEntries() && {
    return std::move(entries_);
}

std::vector<QString> RowTermsReader::takeCodes() && {
    return std::move(codes_);
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
