#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tokivane {

// Cells as a spreadsheet takes them on paste.
struct ClipboardTable {
    // Tab-separated cells, each line ended by CRLF. A cell holding a tab or a
    // line break, or beginning with a quote, is quoted, its quotes doubled.
    QString plainText;
    // The same cells as an HTML table whose cells are marked as text, so that
    // a date text such as 25/11/20 is kept as written; a line break stays in
    // its cell.
    QString html;
};

ClipboardTable clipboardTableOf(const QList<QStringList>& lines);

// Puts both forms on the clipboard at once.
void copyToClipboard(const ClipboardTable& table);

} // namespace tokivane
