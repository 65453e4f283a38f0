#pragma once

#include "csv_file.h"

#include <QString>
#include <optional>

namespace tokivane {

// Writes the whole file or nothing; the reason when it failed.
std::optional<QString> writeCsvFile(const QString& path, const QString& csv, CsvEncoding encoding);

// Files that may be dropped on the windows: .csv, .tsv, .txt, .xlsx and .xlsm.
bool isBatchFileName(const QString& path);

} // namespace tokivane
