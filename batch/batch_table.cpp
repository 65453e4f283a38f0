#include "batch_table.h"

#include "amount_column.h"
#include "billing_ranges.h"
#include "column_choice.h"
#include "customer_columns.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace tokivane {

namespace {

using namespace std::chrono;

constexpr sys_days kFirstDay{year{kCentury} / January / 1};
constexpr int kDaysInCentury = (sys_days{year{kCentury + 100} / January / 1} - kFirstDay).count();
// The first line and those that choose the judged column.
constexpr qsizetype kChoosingLines = 1 + kSampledLines;

QStringList inputHeadersOf(QStringList headers, qsizetype columns) {
    headers = headers.mid(0, std::min(columns, kMaxInputColumns));
    for (qsizetype column = 0; column < std::min(columns, kMaxInputColumns); ++column) {
        if (column >= headers.size())
            headers.append(QStringLiteral("列%1").arg(column + 1));
        else if (headers[column].trimmed().isEmpty())
            headers[column] = QStringLiteral("列%1").arg(column + 1);
    }
    return headers;
}

bool isEmptyRecord(QStringView text) {
    return text.isEmpty() || text == u"\"\"";
}

Date dateOfDay(int day) {
    return Date{kFirstDay + days{day}};
}

// The first day of [from, to) for which `after` holds, `after` being false
// and then true over the days; `to` when it never holds.
template <typename Predicate> int firstDayWhere(int from, int to, Predicate after) {
    while (from < to) {
        const int middle = from + (to - from) / 2;
        if (after(middle))
            to = middle;
        else
            from = middle + 1;
    }
    return from;
}

// The days of the century a range holds. The window's judgement compares
// comparison keys, and a day's key orders as the day does, so the days a range
// holds run from the first whose key is not before the start's to the last
// whose key is not after the end's.
struct DayInterval {
    int first = 0;
    int last = -1;
};

DayInterval daysOf(const NamedRange& range) {
    const auto key = [](int day) { return comparisonKey(dateTextOf(dateOfDay(day))); };
    const QString start = comparisonKey(range.start);
    const QString end = comparisonKey(range.end);
    const int first = firstDayWhere(0, kDaysInCentury, [&](int day) { return key(day) >= start; });
    const int after = firstDayWhere(first, kDaysInCentury, [&](int day) { return key(day) > end; });
    return {first, after - 1};
}

// 前回請求 and 今回請求 come first in the window's order.
constexpr quint16 kBillingBits = (1U << kBillingRangeCount) - 1;
// A slot for each closing day that has periods: all but 都度, the last.
constexpr int kClosingSlots = kClosingDayCount - 1;
constexpr int kNoSlot = -1;

int dayIndex(Date date) {
    return static_cast<int>((sys_days{date} - kFirstDay).count());
}

int closingSlot(ClosingDay closing) {
    return closing.kind == ClosingDay::Kind::PerRecord ? kNoSlot : closingDayIndex(closing);
}

// The days of 前回請求 and 今回請求 for each closing day's slot.
struct BillingDays {
    DayInterval previous;
    DayInterval current;
    bool valid = false;

    quint16 bitsOn(int day) const {
        if (!valid)
            return 0;
        return quint16((previous.first <= day && day <= previous.last ? 1U : 0U) |
                       (current.first <= day && day <= current.last ? 2U : 0U));
    }
};

std::array<BillingDays, kClosingSlots> billingDaysBySlot(Date processing) {
    std::array<BillingDays, kClosingSlots> bySlot;
    for (int slot = 0; slot < kClosingSlots; ++slot) {
        if (const auto ranges = billingRangesOf(processing, closingDayAt(slot)))
            bySlot[static_cast<std::size_t>(slot)] = {
                {dayIndex(ranges->previousStart), dayIndex(ranges->previousEnd)},
                {dayIndex(ranges->currentStart), dayIndex(ranges->currentEnd)},
                true};
    }
    return bySlot;
}

// The two invoicing ranges as the heading's tooltips show them, for a line
// whose closing day is not the main window's.
void showLineBilling(JudgingBasis& basis, ClosingDay closing) {
    const auto ranges = billingRangesOf(basis.processing.date, closing);
    if (!ranges)
        return;
    basis.ranges[0].start = dateTextOf(ranges->previousStart);
    basis.ranges[0].end = dateTextOf(ranges->previousEnd);
    basis.ranges[1].start = dateTextOf(ranges->currentStart);
    basis.ranges[1].end = dateTextOf(ranges->currentEnd);
}

// Each day's judgements, one bit per range.
std::vector<quint16> judgementsByDay(const JudgedRanges& ranges) {
    std::vector<quint16> byDay(static_cast<std::size_t>(kDaysInCentury), 0);
    for (std::size_t at = 0; at < ranges.size(); ++at) {
        const DayInterval interval = daysOf(ranges[at]);
        for (int day = interval.first; day <= interval.last; ++day)
            byDay[static_cast<std::size_t>(day)] |= quint16(1U << at);
    }
    return byDay;
}

} // namespace

QStringList cellsOf(const BatchTable& table, const BatchRow& row) {
    return cellsOfRecord(QStringView(table.source).sliced(row.start, row.end - row.start),
                         table.separator);
}

BatchReader::BatchReader(QString text, const Clock& clock, QString listCodeHeader)
    : clock_(clock), listCodeHeader_(std::move(listCodeHeader)), splitter_(QStringView()) {
    table_.source = std::move(text);
    splitter_ = RecordSplitter(table_.source);
    table_.separator = splitter_.separator();
}

QStringView BatchReader::textOf(const SourceRecord& record) const {
    return QStringView(table_.source).sliced(record.start, record.end - record.start);
}

void BatchReader::readMore(qsizetype lines) {
    if (!columnChosen_) {
        chooseColumn();
        return;
    }
    for (qsizetype read = 0; read < lines && !splitter_.atEnd(); ++read)
        readRecord(splitter_.next());
}

double BatchReader::progress() const {
    return table_.source.isEmpty() ? 1.0
                                   : static_cast<double>(splitter_.position()) /
                                         static_cast<double>(table_.source.size());
}

// The first lines choose the column, then are read as every other line.
void BatchReader::chooseColumn() {
    QList<SourceRecord> first;
    QList<SourceLine> lines;
    while (first.size() < kChoosingLines && !splitter_.atEnd()) {
        first.append(splitter_.next());
        lines.append({first.back().number, cellsOfRecord(textOf(first.back()), table_.separator),
                      first.back().unbalancedQuote});
    }
    const ColumnChoice choice = tokivane::chooseColumn(lines, clock_);
    table_.judgedColumn = choice.column;
    table_.headerLine = choice.headerLine;
    if (choice.headerLine) {
        table_.inputHeaders = lines.front().cells;
        table_.termsColumns = termsColumnsOf(table_.inputHeaders);
        table_.codeColumn = codeColumnOf(table_.inputHeaders, listCodeHeader_);
        if (table_.codeColumn)
            termsReader_.expectCodes();
        table_.namesCustomers = nameColumnOf(table_.inputHeaders).has_value();
        table_.amountColumn = amountColumnOf(table_.inputHeaders);
    }
    columnChosen_ = true;
    table_.rows.reserve(first.size());
    for (qsizetype at = 0; at < first.size(); ++at) {
        if (at == 0 && choice.headerLine)
            cellCount_ = first.front().cellCount;
        else
            readRecord(first[at]);
    }
}

void BatchReader::readRecord(const SourceRecord& record) {
    BatchRow row;
    row.start = record.start;
    row.end = record.end;
    row.line = record.number;
    row.unbalancedQuote = record.unbalancedQuote;
    row.extraCells = record.cellCount > kMaxInputColumns;
    cellCount_ = std::max(cellCount_, record.cellCount);
    const QStringView text = textOf(record);
    if (record.cellCount == 1 && isEmptyRecord(text)) {
        row.unread = Unread::EmptyLine;
    } else {
        const auto cell = rawCellOfRecord(text, table_.separator, table_.judgedColumn);
        QString unquoted;
        const DateReading reading =
            cell ? readDateForm(valueOfRawCell(*cell, table_.separator, unquoted), clock_)
                 : DateReading{std::nullopt, Unread::NotADate, false};
        row.date = reading.date;
        row.unread = reading.unread;
        row.terms = ownTermsOf(text);
    }
    table_.rows.append(row);
}

quint32 BatchReader::ownTermsOf(QStringView text) {
    const TermsColumns& columns = table_.termsColumns;
    if (!columns.any() && !table_.codeColumn)
        return 0;
    const auto cellAt = [&](std::optional<qsizetype> column) -> std::optional<QStringView> {
        return column ? rawCellOfRecord(text, table_.separator, *column) : std::nullopt;
    };
    return termsReader_.indexOf({cellAt(columns.closing), cellAt(columns.terms),
                                 cellAt(table_.codeColumn), table_.separator,
                                 columns.termsAreDays});
}

BatchTable BatchReader::take() && {
    table_.inputHeaders = inputHeadersOf(table_.inputHeaders, cellCount_);
    table_.codes = std::move(termsReader_).takeCodes();
    table_.rowTerms = std::move(termsReader_).takeEntries();
    return std::move(table_);
}

BatchTable readBatch(QString text, const Clock& clock, QString listCodeHeader) {
    BatchReader reader(std::move(text), clock, std::move(listCodeHeader));
    while (!reader.atEnd())
        reader.readMore(std::numeric_limits<qsizetype>::max());
    return std::move(reader).take();
}

void judgeBatch(BatchTable& table, const JudgingBasis& basis) {
    judgeBatch(table, basis, startingTerms(basis.closingEntry));
}

namespace {

// Where each of the table's codes leads in its customer list, and which
// entries of rowTerms that leaves without terms.
void joinCustomers(BatchTable& table, std::shared_ptr<const CustomerList> customers) {
    table.customers = table.codeColumn ? std::move(customers) : nullptr;
    table.codeMatches.clear();
    table.withoutCustomer.assign(table.rowTerms.size(), false);
    if (!table.customers)
        return;
    table.codeMatches.reserve(table.codes.size());
    for (const QString& code : table.codes)
        table.codeMatches.push_back(matchCode(*table.customers, code));
    for (std::size_t at = 0; at < table.rowTerms.size(); ++at) {
        // A row whose own cells name its closing and pay day needs nothing of
        // its customer.
        const RowTerms& own = table.rowTerms[at];
        table.withoutCustomer[at] =
            !givesTerms(table.codeMatches[own.code]) && !(own.ownClosing() && own.phrase.pay);
    }
}

std::optional<CustomerTerms> customerTermsOf(const BatchTable& table, const RowTerms& own) {
    if (!table.customers)
        return std::nullopt;
    const CodeMatch& match = table.codeMatches[own.code];
    if (!givesTerms(match))
        return std::nullopt;
    return table.customers->rows[static_cast<std::size_t>(match.row)].terms;
}

// Whether an entry's rows have a closing day to judge 前回請求 and 今回請求 by.
bool closingKnown(const BatchTable& table, std::size_t entry) {
    const RowTerms& own = table.rowTerms[entry];
    return !own.closingUnread && (own.ownClosing() || !table.withoutCustomer[entry]);
}

} // namespace

void judgeBatch(BatchTable& table, const JudgingBasis& basis, const CollectionTerms& line,
                std::shared_ptr<const CustomerList> customers) {
    joinCustomers(table, std::move(customers));
    table.lineTerms = line;
    table.effectiveTerms.resize(table.rowTerms.size());
    std::vector<int> slotOf(table.rowTerms.size());
    for (std::size_t at = 0; at < table.rowTerms.size(); ++at) {
        const RowTerms& own = table.rowTerms[at];
        table.effectiveTerms[at] = effectiveTerms(own, line, customerTermsOf(table, own));
        slotOf[at] =
            closingKnown(table, at) ? closingSlot(table.effectiveTerms[at].closing) : kNoSlot;
    }
    const std::vector<quint16> byDay = judgementsByDay(basis.ranges);
    const auto billing = billingDaysBySlot(basis.processing.date);
    for (BatchRow& row : table.rows) {
        if (!row.date)
            continue;
        const int day = dayIndex(*row.date);
        const int slot = slotOf[row.terms];
        row.yes = quint16(byDay[static_cast<std::size_t>(day)] & ~kBillingBits);
        if (slot != kNoSlot)
            row.yes |= billing[static_cast<std::size_t>(slot)].bitsOn(day);
    }
    table.basis = basis;
    if (line.closing != closingDayOfEntry(basis.closingEntry))
        showLineBilling(*table.basis, line.closing);
}

bool joinsCustomers(const BatchTable& table) {
    return table.customers != nullptr;
}

bool lacksCustomer(const BatchTable& table, const BatchRow& row) {
    return row.terms < table.withoutCustomer.size() && table.withoutCustomer[row.terms];
}

const CustomerRow* customerOfRow(const BatchTable& table, const BatchRow& row) {
    if (!table.customers || row.terms >= table.rowTerms.size())
        return nullptr;
    const CodeMatch& match = table.codeMatches[table.rowTerms[row.terms].code];
    return match.row >= 0 ? &table.customers->rows[static_cast<std::size_t>(match.row)] : nullptr;
}

QString customerNote(const BatchTable& table, const BatchRow& row) {
    if (!table.customers || row.terms >= table.rowTerms.size())
        return {};
    const quint32 code = table.rowTerms[row.terms].code;
    return codeMatchNote(*table.customers, table.codeMatches[code], table.codes[code]);
}

bool billingJudged(const BatchTable& table, const BatchRow& row) {
    if (!table.basis || row.terms >= table.effectiveTerms.size())
        return false;
    return closingKnown(table, row.terms) &&
           table.effectiveTerms[row.terms].closing.kind != ClosingDay::Kind::PerRecord;
}

bool judgementShown(const BatchTable& table, const BatchRow& row, int index) {
    return row.date && table.basis && (index >= kBillingRangeCount || billingJudged(table, row));
}

std::optional<std::variant<DueDate, QString>> dueDateOfRow(const BatchTable& table,
                                                           const BatchRow& row) {
    if (!row.date || !table.basis || row.terms >= table.effectiveTerms.size() ||
        table.rowTerms[row.terms].anyUnread() || lacksCustomer(table, row))
        return std::nullopt;
    return dueDateOf(*row.date, table.effectiveTerms[row.terms]);
}

bool closingDaysFromRows(const BatchTable& table) {
    if (table.termsColumns.closing)
        return true;
    return std::ranges::any_of(table.rowTerms,
                               [](const RowTerms& own) { return own.phrase.closing.has_value(); });
}

void clearJudgements(BatchTable& table) {
    for (BatchRow& row : table.rows)
        row.yes = 0;
    table.basis.reset();
    table.effectiveTerms.clear();
    table.customers.reset();
    table.codeMatches.clear();
    table.withoutCustomer.clear();
}

BatchCounts countsOf(const BatchTable& table) {
    BatchCounts counts;
    counts.rows = table.rows.size();
    counts.dates =
        std::ranges::count_if(table.rows, [](const BatchRow& row) { return row.date.has_value(); });
    counts.unread = counts.rows - counts.dates;
    if (joinsCustomers(table))
        counts.withoutCustomer = std::ranges::count_if(table.rows, [&](const BatchRow& row) {
            return row.date && table.basis && lacksCustomer(table, row);
        });
    return counts;
}

qsizetype yesCount(const BatchTable& table, int index) {
    if (!table.basis)
        return 0;
    return std::ranges::count_if(
        table.rows, [index](const BatchRow& row) { return row.date && (row.yes >> index) & 1U; });
}

} // namespace tokivane
