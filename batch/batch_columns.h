#pragma once

#include "batch_table.h"

#include <QString>
#include <QStringList>

namespace tokivane {

// The columns a judged table shows: "行", the input columns (with
// "得意先名" from the customer list after the code column, when the list has
// names and the ledger does not), "記録日", "請求締日", "回収予定日", the nine
// judgements, "曜日・和暦" and "備考".
enum class ColumnKind {
    Line,
    Input,
    CustomerName,
    RecordDate,
    ClosingDate,
    DueDate,
    Judgement,
    FullDate,
    Note
};

struct BatchColumn {
    ColumnKind kind;
    // The input column or judged range, for those kinds.
    int index = 0;
};

int batchColumnCount(const BatchTable& table);
BatchColumn batchColumnAt(const BatchTable& table, int column);

QString batchHeaderText(const BatchTable& table, int column);

// What a cell shows, computed when asked rather than held.
QString batchCellText(const BatchTable& table, const BatchRow& row, int column);

// The date a 請求締日 or 回収予定日 cell shows in full, and for a moved due
// date where it came from and why; empty for other cells.
QString batchCellToolTip(const BatchTable& table, const BatchRow& row, int column);

// The header line and every row in the order given, as text cells.
QList<QStringList> batchCells(const BatchTable& table, const QList<qsizetype>& rowOrder);

} // namespace tokivane
