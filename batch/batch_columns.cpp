#include "batch_columns.h"

#include "amount_cells.h"
#include "closing_cell.h"
#include "full_date.h"
#include "judgement.h"
#include "terms_cell.h"

namespace tokivane {

namespace {

constexpr QStringView kLineHeader = u"行";
constexpr QStringView kCustomerNameHeader = u"得意先名";
constexpr QStringView kRecordDateHeader = u"記録日";
constexpr QStringView kClosingDateHeader = u"請求締日";
constexpr QStringView kDueDateHeader = u"回収予定日";
constexpr QStringView kPerRecordNote = u"都度締めのため前回請求・今回請求は判定していません";
constexpr QStringView kCellNote = u"%1の列：%2";
constexpr QStringView kClosingsDifferNote = u"%1の列と%2の締日が違います（%1の列で計算）";
constexpr QStringView kFullDateHeader = u"曜日・和暦";
constexpr QStringView kNoteHeader = u"備考";
constexpr QStringView kUnbalancedQuoteNote = u"引用符が閉じていません";
constexpr QStringView kExtraCellsNote = u"%1列目以降は表示していません";
// Columns before and after the input columns and judgements.
constexpr int kLeadingColumns = 1;
constexpr int kTrailingColumns = 5 + kJudgedRangeCount;
// 記録日, 請求締日 and 回収予定日 before the judgements.
constexpr int kDateColumns = 3;

int inputCount(const BatchTable& table) {
    return static_cast<int>(table.inputHeaders.size());
}

// Where among the input columns the list's names stand: right after the
// code column.
std::optional<int> namePosition(const BatchTable& table) {
    if (!table.customers || !table.customers->hasNames || table.namesCustomers ||
        !table.codeColumn || *table.codeColumn >= table.inputHeaders.size())
        return std::nullopt;
    return static_cast<int>(*table.codeColumn) + 1;
}

template <typename Reading> QString cellError(const Reading& reading) {
    const auto* error = std::get_if<TermsPhraseError>(&reading);
    return error ? error->message : QString();
}

// Why a row's own closing-day or terms cell could not be read, read again
// from the source: only rows that show it pay for the message.
QString unreadCellNote(const BatchTable& table, const BatchRow& row, qsizetype column,
                       bool closing) {
    const QString cell =
        cellOfRecord(QStringView(table.source).sliced(row.start, row.end - row.start),
                     table.separator, column)
            .value_or(QString());
    const QString why =
        closing
            ? cellError(readClosingCell(cell))
            : cellError(readTermsPhrase(termsPhraseOfCell(cell, table.termsColumns.termsAreDays)));
    const QString header = table.inputHeaders.value(column, QStringLiteral("列%1").arg(column + 1));
    return kCellNote.toString().arg(header, why);
}

QStringList ownTermsNotes(const BatchTable& table, const BatchRow& row) {
    const RowTerms& own = table.rowTerms[row.terms];
    const TermsColumns& columns = table.termsColumns;
    QStringList notes;
    if (own.closingUnread)
        notes.append(unreadCellNote(table, row, *columns.closing, true));
    if (own.termsUnread)
        notes.append(unreadCellNote(table, row, *columns.terms, false));
    if (own.closingsDiffer())
        notes.append(kClosingsDifferNote.toString().arg(table.inputHeaders.value(*columns.closing),
                                                        table.inputHeaders.value(*columns.terms)));
    return notes;
}

QStringList termsNotes(const BatchTable& table, const BatchRow& row) {
    if (!row.date || !table.basis)
        return {};
    QStringList notes = ownTermsNotes(table, row);
    notes.append(customerNote(table, row));
    if (lacksCustomer(table, row))
        return notes;
    if (table.effectiveTerms[row.terms].closing.kind == ClosingDay::Kind::PerRecord)
        notes.append(kPerRecordNote.toString());
    if (const auto due = dueDateOfRow(table, row); due && std::holds_alternative<QString>(*due))
        notes.append(std::get<QString>(*due));
    return notes;
}

QString noteOf(const BatchTable& table, const BatchRow& row) {
    QStringList notes{unreadNote(row.unread)};
    if (row.unbalancedQuote)
        notes.append(kUnbalancedQuoteNote.toString());
    if (row.extraCells)
        notes.append(kExtraCellsNote.toString().arg(kMaxInputColumns + 1));
    notes.append(termsNotes(table, row));
    notes.append(amountNote(table, row, table.amountColumn));
    notes.removeAll(QString());
    return notes.join(u'、');
}

std::optional<DueDate> shownDueDate(const BatchTable& table, const BatchRow& row) {
    const auto due = dueDateOfRow(table, row);
    if (!due || !std::holds_alternative<DueDate>(*due))
        return std::nullopt;
    return std::get<DueDate>(*due);
}

} // namespace

int batchColumnCount(const BatchTable& table) {
    return kLeadingColumns + inputCount(table) + (namePosition(table) ? 1 : 0) + kTrailingColumns;
}

BatchColumn batchColumnAt(const BatchTable& table, int column) {
    const int inputs = inputCount(table);
    if (column < kLeadingColumns)
        return {ColumnKind::Line};
    column -= kLeadingColumns;
    if (const auto name = namePosition(table)) {
        if (column == *name)
            return {ColumnKind::CustomerName};
        if (column > *name)
            --column;
    }
    if (column < inputs)
        return {ColumnKind::Input, column};
    column -= inputs;
    constexpr std::array<ColumnKind, kDateColumns> kDates{
        ColumnKind::RecordDate, ColumnKind::ClosingDate, ColumnKind::DueDate};
    if (column < kDateColumns)
        return {kDates[static_cast<std::size_t>(column)]};
    column -= kDateColumns;
    if (column < kJudgedRangeCount)
        return {ColumnKind::Judgement, column};
    return {column == kJudgedRangeCount ? ColumnKind::FullDate : ColumnKind::Note};
}

QString batchHeaderText(const BatchTable& table, int column) {
    const BatchColumn at = batchColumnAt(table, column);
    switch (at.kind) {
    case ColumnKind::Line:
        return kLineHeader.toString();
    case ColumnKind::Input:
        return table.inputHeaders.value(at.index);
    case ColumnKind::CustomerName:
        return kCustomerNameHeader.toString();
    case ColumnKind::RecordDate:
        return kRecordDateHeader.toString();
    case ColumnKind::ClosingDate:
        return kClosingDateHeader.toString();
    case ColumnKind::DueDate:
        return kDueDateHeader.toString();
    case ColumnKind::Judgement:
        return kRangeCaptions[static_cast<std::size_t>(at.index)].toString();
    case ColumnKind::FullDate:
        return kFullDateHeader.toString();
    case ColumnKind::Note:
        return kNoteHeader.toString();
    }
    return {};
}

QString batchCellText(const BatchTable& table, const BatchRow& row, int column) {
    const BatchColumn at = batchColumnAt(table, column);
    switch (at.kind) {
    case ColumnKind::Line:
        return QString::number(row.line);
    case ColumnKind::Input:
        // Split only up to the cell asked for: a line may hold a million.
        return cellOfRecord(QStringView(table.source).sliced(row.start, row.end - row.start),
                            table.separator, at.index)
            .value_or(QString());
    case ColumnKind::CustomerName: {
        const CustomerRow* customer = customerOfRow(table, row);
        return customer ? customer->name : QString();
    }
    case ColumnKind::RecordDate:
        return row.date ? dateTextOf(*row.date) : QString();
    case ColumnKind::ClosingDate:
    case ColumnKind::DueDate: {
        const auto due = shownDueDate(table, row);
        if (!due)
            return {};
        return dateTextOf(at.kind == ColumnKind::ClosingDate ? due->closing : due->due);
    }
    case ColumnKind::Judgement:
        if (!judgementShown(table, row, at.index))
            return {};
        return (((row.yes >> at.index) & 1U) ? kYes : kNo).toString();
    case ColumnKind::FullDate:
        return row.date ? fullDateText(*row.date) : QString();
    case ColumnKind::Note:
        return noteOf(table, row);
    }
    return {};
}

QString batchCellToolTip(const BatchTable& table, const BatchRow& row, int column) {
    const ColumnKind kind = batchColumnAt(table, column).kind;
    if (kind != ColumnKind::ClosingDate && kind != ColumnKind::DueDate)
        return {};
    const auto due = shownDueDate(table, row);
    if (!due)
        return {};
    if (kind == ColumnKind::ClosingDate)
        return fullDateText(due->closing);
    const QString moved = movedNote(*due, table.effectiveTerms[row.terms].holidays);
    return moved.isEmpty() ? fullDateText(due->due) : fullDateText(due->due) + u'\n' + moved;
}

QList<QStringList> batchCells(const BatchTable& table, const QList<qsizetype>& rowOrder) {
    const int columns = batchColumnCount(table);
    QList<QStringList> cells;
    cells.reserve(rowOrder.size() + 1);
    QStringList header;
    for (int column = 0; column < columns; ++column)
        header.append(batchHeaderText(table, column));
    cells.append(header);
    for (const qsizetype at : rowOrder) {
        QStringList line;
        line.reserve(columns);
        for (int column = 0; column < columns; ++column)
            line.append(batchCellText(table, table.rows[at], column));
        cells.append(line);
    }
    return cells;
}

} // namespace tokivane
