#pragma once

#include "sheet_table.h"

#include <QList>
#include <QStringList>
#include <QStringView>

namespace tokivane {

// Which columns of a table, its header line first, hold what: the columns
// under `dateHeaders`, and those whose every non-empty cell is a date, hold
// dates; those under `numberHeaders` hold numbers; the rest text. A cell that
// is not what its column holds (a 合計 line's caption) is still written, as
// text.
QList<SheetColumn> columnsOfCells(const QList<QStringList>& cells, const QStringList& dateHeaders,
                                  const QStringList& numberHeaders);

// A table for a sheet, its columns judged so.
SheetTable sheetOfCells(const QString& name, const QList<QStringList>& cells,
                        const QStringList& dateHeaders, const QStringList& numberHeaders);

} // namespace tokivane
