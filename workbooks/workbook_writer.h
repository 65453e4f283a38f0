#pragma once

#include "sheet_table.h"

#include <QList>
#include <QString>
#include <optional>

namespace tokivane {

// Saves the tables as one Excel workbook, a sheet for each in order: dates of
// date columns as date cells, counts and amounts of number columns as
// numbers, everything else as text; the header line bold and kept in view.
// The whole file or nothing: a failed save leaves no file, and a file already
// there as it was. The reason when nothing was saved.
std::optional<QString> writeWorkbookFile(const QString& path, const QList<SheetTable>& sheets);

} // namespace tokivane
