#include "batch_columns.h"

#include "full_date.h"
#include "judgement.h"

namespace tokivane {

namespace {

constexpr QStringView kLineHeader = u"行";
constexpr QStringView kRecordDateHeader = u"記録日";
constexpr QStringView kFullDateHeader = u"曜日・和暦";
constexpr QStringView kNoteHeader = u"備考";
constexpr QStringView kUnbalancedQuoteNote = u"引用符が閉じていません";
constexpr QStringView kExtraCellsNote = u"%1列目以降は表示していません";
// Columns before and after the input columns and judgements.
constexpr int kLeadingColumns = 1;
constexpr int kTrailingColumns = 3 + kJudgedRangeCount;

int inputCount(const BatchTable& table) {
    return static_cast<int>(table.inputHeaders.size());
}

QString noteOf(const BatchRow& row) {
    QStringList notes{unreadNote(row.unread)};
    if (row.unbalancedQuote)
        notes.append(kUnbalancedQuoteNote.toString());
    if (row.extraCells)
        notes.append(kExtraCellsNote.toString().arg(kMaxInputColumns + 1));
    notes.removeAll(QString());
    return notes.join(u'、');
}

} // namespace

int batchColumnCount(const BatchTable& table) {
    return kLeadingColumns + inputCount(table) + kTrailingColumns;
}

BatchColumn batchColumnAt(const BatchTable& table, int column) {
    const int inputs = inputCount(table);
    if (column < kLeadingColumns)
        return {ColumnKind::Line};
    column -= kLeadingColumns;
    if (column < inputs)
        return {ColumnKind::Input, column};
    column -= inputs;
    if (column == 0)
        return {ColumnKind::RecordDate};
    if (column <= kJudgedRangeCount)
        return {ColumnKind::Judgement, column - 1};
    return {column == kJudgedRangeCount + 1 ? ColumnKind::FullDate : ColumnKind::Note};
}

QString batchHeaderText(const BatchTable& table, int column) {
    const BatchColumn at = batchColumnAt(table, column);
    switch (at.kind) {
    case ColumnKind::Line:
        return kLineHeader.toString();
    case ColumnKind::Input:
        return table.inputHeaders.value(at.index);
    case ColumnKind::RecordDate:
        return kRecordDateHeader.toString();
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
    case ColumnKind::RecordDate:
        return row.date ? dateTextOf(*row.date) : QString();
    case ColumnKind::Judgement:
        if (!row.date || !table.basis)
            return {};
        return (((row.yes >> at.index) & 1U) ? kYes : kNo).toString();
    case ColumnKind::FullDate:
        return row.date ? fullDateText(*row.date) : QString();
    case ColumnKind::Note:
        return noteOf(row);
    }
    return {};
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
