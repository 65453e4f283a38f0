#pragma once

#include "csv_file.h"
#include "file_text.h"

#include <QString>
#include <optional>
#include <variant>

namespace tokivane {

// A file's text, or why it was not read, for a message.
std::variant<QString, UnreadFile> readBatchFile(const QString& path);

// Writes the whole file or nothing; the reason when it failed.
std::optional<QString> writeCsvFile(const QString& path, const QString& csv, CsvEncoding encoding);

// Files that may be dropped on the windows: .csv, .tsv and .txt.
bool isBatchFileName(const QString& path);

} // namespace tokivane
