#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tokivane {

// Cells as a spreadsheet takes them on paste.
struct ClipboardTable {
    // Tab-separated cells, each line ended by CRLF.
    QString plainText;
    // The same cells as an HTML table whose cells are marked as text, so that
    // a date text such as 25/11/20 is kept as written.
    QString html;
};

ClipboardTable clipboardTableOf(const QList<QStringList>& lines);

// Puts both forms on the clipboard at once.
void copyToClipboard(const ClipboardTable& table);

} // namespace tokivane
