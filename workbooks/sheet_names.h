#pragma once

#include <QStringList>

namespace tokivane {

// The sheet names for tables' names, in order, as a workbook takes them: at
// most 31 characters; []:*?/\ as their full-width forms; no apostrophe first
// or last; "シート1" and so on for an empty name; and no two alike ignoring
// case, nor the reserved "History": a later one gets " (2)", " (3)" and so on.
QStringList sheetNamesOf(const QStringList& tableNames);

} // namespace tokivane
