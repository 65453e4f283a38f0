#pragma once

#include "excel_dates.h"
#include "zip_archive.h"

#include <QList>
#include <QString>
#include <variant>

namespace tokivane {

// One worksheet of a workbook: its name, the archive entry of its cells,
// and whether the workbook shows it.
struct SheetEntry {
    QString name;
    QString part;
    bool visible = true;
};

// What a workbook's own parts tell before any sheet is read: its
// worksheets in their order, where its shared strings and styles are, and
// which day its dates count from.
struct WorkbookIndex {
    QList<SheetEntry> sheets;
    QString sharedStringsPart;
    QString stylesPart;
    DateSystem dates = DateSystem::From1900;
};

// The index of the workbook in the archive, or why it is no workbook.
std::variant<WorkbookIndex, QString> readWorkbookIndex(const ZipArchive& zip);

// The sheet shown when the workbook opens: the first one not hidden.
qsizetype firstVisibleSheet(const WorkbookIndex& index);

// An archive entry named by a relationship's target, from the folder of the
// part that names it: "worksheets/sheet1.xml" from "xl/workbook.xml" is
// "xl/worksheets/sheet1.xml"; a target from the root begins with a slash.
QString resolvedPart(const QString& fromPart, QStringView target);

} // namespace tokivane
