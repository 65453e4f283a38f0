#pragma once

#include "sheet_table.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tokivane {

// Writes the tables as the sheets of one workbook at `fileName`, under the
// names given, keeping the writer's temporary files in `tmpdir`. Rows go out
// in order and are not held. The reason when it failed; the file may then be
// partly written.
std::optional<QString> writeXlsx(const QString& fileName, const QString& tmpdir,
                                 const QList<SheetTable>& tables, const QStringList& sheetNames);

} // namespace tokivane
