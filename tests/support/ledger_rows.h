#pragma once

// A judged ledger's rows as the table shows them, for tests that name a row
// by its first cell (a slip number) and its cells by their headers.

#include "batch_columns.h"
#include "batch_table.h"
#include "judging_ranges.h"
#include "memory_form.h"

#include <QMap>
#include <QString>

namespace tokivane {

// The cells of the row whose first cell is `slip`, by header.
inline QMap<QString, QString> rowOf(const BatchTable& table, const QString& slip) {
    QMap<QString, QString> cells;
    for (const BatchRow& row : table.rows) {
        if (cellsOf(table, row).front() != slip)
            continue;
        for (int column = 0; column < batchColumnCount(table); ++column)
            cells.insert(batchHeaderText(table, column), batchCellText(table, row, column));
    }
    return cells;
}

// What 実行 judges against for a processing date and closing-day entry.
inline JudgingBasis basisOf(const QString& processing, int entry, const Clock& clock) {
    const MemoryForm form(processing, processing, entry);
    return std::get<JudgingBasis>(judgingBasisOf(form, clock));
}

} // namespace tokivane
