#pragma once

#include "work_progress.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace tokivane {

// A file's table as the text of its cells: a text file's own, or a
// workbook's sheet as a TSV file of it would read.
struct TableText {
    QString text;
    bool fromWorkbook = false;
};

// Runs work with a progress bar; false when it was cancelled.
using RunWork = std::function<bool(const std::function<void(WorkControl&)>&)>;

// Reads the files' tables, a workbook's or a text file's alike whatever
// their names say, asking which sheet to read where a workbook has more
// than one. A file that cannot be read gives no table and its reason in
// `problems` (named when there are several files); a cancelled sheet choice
// gives no table either. None when the reading itself was cancelled.
std::optional<QList<TableText>> readTableFiles(QWidget& parent, const QStringList& paths,
                                               const RunWork& run, QStringList& problems);

} // namespace tokivane
