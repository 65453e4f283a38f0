#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tokivane {

// How a column's cells are written into a workbook: dates as date cells,
// counts and amounts as numbers, everything else as text.
enum class SheetColumn { Text, Date, Number };

// One table for one sheet of a workbook: its header line first, then its
// rows, as shown on screen; one kind for each column.
struct SheetTable {
    QString name;
    QList<QStringList> cells;
    QList<SheetColumn> columns;
};

} // namespace tokivane
