#pragma once

#include "csv_file.h"
#include "sheet_table.h"
#include "table_commands.h"

#include <QString>
#include <optional>

namespace tokivane {

// Writes the whole file or nothing; the reason when it failed.
std::optional<QString> writeCsvFile(const QString& path, const QString& csv, CsvEncoding encoding);

// Writes what was chosen: the CSV of `cells`, or a workbook of `sheets`;
// whole or not at all. The reason when nothing was written.
std::optional<QString> writeTableFile(const TableSaveChoice& choice,
                                      const QList<QStringList>& cells,
                                      const QList<SheetTable>& sheets);

// Files that may be dropped on the windows: .csv, .tsv, .txt, .xlsx and .xlsm.
bool isBatchFileName(const QString& path);

} // namespace tokivane
