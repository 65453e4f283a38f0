#include "row_terms.h"

#include "closing_cell.h"
#include "source_lines.h"

#include <QHash>
#include <array>
#include <limits>

namespace tokivane {

namespace {

constexpr std::array<QStringView, 3> kClosingHeaders{u"締日", u"締め日", u"締日区分"};
constexpr std::array<QStringView, 4> kTermsHeaders{u"支払条件", u"回収条件", u"取引条件",
                                                   u"支払サイト"};
// Distinct pairs of cells remembered at most. A ledger has far fewer; past
// this, each new pair is read for its own row without being remembered, so a
// column of a million different phrases costs no more than their rows.
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
        const auto phrase = readTermsPhrase(valueOf(*termsCell, separator));
        if (std::holds_alternative<TermsPhraseError>(phrase))
            own.unread = RowTerms::Unread::TermsCell;
        else
            own.phrase = std::get<TermsPhrase>(phrase);
    }
    return own;
}

CollectionTerms effectiveTerms(const RowTerms& own, const CollectionTerms& line) {
    CollectionTerms terms = termsOver(own.phrase, line);
    if (own.closing)
        terms.closing = *own.closing;
    return terms;
}

RowTermsReader::RowTermsReader() : entries_(1) {}

std::size_t RowTermsReader::CellsHash::operator()(const Cells& cells) const {
    return qHash(cells.closing, qHash(cells.terms));
}

quint32 RowTermsReader::indexOf(std::optional<QStringView> closingCell,
                                std::optional<QStringView> termsCell, QChar separator) {
    if (isBlank(closingCell) && isBlank(termsCell))
        return 0;
    const Cells cells{closingCell.value_or(QStringView()), termsCell.value_or(QStringView())};
    if (const auto found = index_.find(cells); found != index_.end())
        return found->second;
    // Past four thousand million rows the last entry serves; no paste gets there.
    if (entries_.size() >= std::numeric_limits<quint32>::max())
        return static_cast<quint32>(entries_.size() - 1);
    const auto index = static_cast<quint32>(entries_.size());
    entries_.push_back(readRowTerms(closingCell, termsCell, separator));
    if (index_.size() < kRememberedCells)
        index_.emplace(cells, index);
    return index;
}

std::vector<RowTerms> RowTermsReader::take() && {
    return std::move(entries_);
}

ClosingDay closingDayOfEntry(QStringView entry) {
    const auto reading = readClosingCell(entry);
    const auto* closing = std::get_if<ClosingDay>(&reading);
    return closing ? *closing : ClosingDay::monthEnd();
}

} // namespace tokivane
