#include "sheet_columns.h"

#include "date_cell.h"

namespace tokivane {

namespace {

bool holdsDatesOnly(const QList<QStringList>& cells, qsizetype column) {
    bool any = false;
    for (qsizetype line = 1; line < cells.size(); ++line) {
        const QString cell = cells[line].value(column);
        if (cell.isEmpty())
            continue;
        if (!dateOfCell(cell))
            return false;
        any = true;
    }
    return any;
}

} // namespace

QList<SheetColumn> columnsOfCells(const QList<QStringList>& cells, const QStringList& dateHeaders,
                                  const QStringList& numberHeaders) {
    qsizetype width = 0;
    for (const QStringList& line : cells)
        width = std::max(width, line.size());
    const QStringList header = cells.value(0);
    QList<SheetColumn> columns;
    for (qsizetype column = 0; column < width; ++column) {
        const QString name = header.value(column);
        if (numberHeaders.contains(name))
            columns.append(SheetColumn::Number);
        else if (dateHeaders.contains(name) || holdsDatesOnly(cells, column))
            columns.append(SheetColumn::Date);
        else
            columns.append(SheetColumn::Text);
    }
    return columns;
}

SheetTable sheetOfCells(const QString& name, const QList<QStringList>& cells,
                        const QStringList& dateHeaders, const QStringList& numberHeaders) {
    return {name, cells, columnsOfCells(cells, dateHeaders, numberHeaders)};
}

} // namespace tokivane
