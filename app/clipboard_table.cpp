#include "clipboard_table.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLatin1StringView>
#include <QMimeData>

namespace tokivane {

namespace {

constexpr QLatin1StringView kLineEnd{"\r\n"};
constexpr QChar kCellSeparator = u'\t';
constexpr QChar kQuote = u'"';

// Spreadsheets read the page as UTF-8 and keep a cell of format '@' as text.
constexpr QLatin1StringView kHtmlStart{
    "<html><head><meta charset=\"utf-8\"></head><body><table>\r\n"};
constexpr QLatin1StringView kHtmlEnd{"</table></body></html>\r\n"};
constexpr QLatin1StringView kRowStart{"<tr>"};
constexpr QLatin1StringView kRowEnd{"</tr>\r\n"};
constexpr QLatin1StringView kTextCellStart{"<td style=\"mso-number-format:'\\@'\">"};
constexpr QLatin1StringView kTextCellEnd{"</td>"};
// A line break that stays within its cell instead of starting a row.
constexpr QLatin1StringView kCellLineBreak{"<br style=\"mso-data-placement:same-cell\">"};

// A bare tab or line break would split the cell, and a bare leading quote
// would open a quoted one that swallows what follows.
bool needsQuotes(const QString& cell) {
    return cell.startsWith(kQuote) || cell.contains(kCellSeparator) || cell.contains(u'\n') ||
           cell.contains(u'\r');
}

QString plainCell(const QString& cell) {
    if (!needsQuotes(cell))
        return cell;
    QString quoted = cell;
    quoted.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + quoted + kQuote;
}

QString plainRow(const QStringList& cells) {
    QStringList plain;
    plain.reserve(cells.size());
    for (const QString& cell : cells)
        plain.append(plainCell(cell));
    return plain.join(kCellSeparator) + kLineEnd;
}

// CRLF, CR and LF each make one break.
QString htmlCell(const QString& cell) {
    QString html = cell.toHtmlEscaped();
    html.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return html.replace(u'\n', kCellLineBreak);
}

QString htmlRow(const QStringList& cells) {
    QString html = kRowStart;
    for (const QString& cell : cells)
        html += kTextCellStart + htmlCell(cell) + kTextCellEnd;
    return html + kRowEnd;
}

} // namespace

ClipboardTable clipboardTableOf(const QList<QStringList>& lines) {
    ClipboardTable table{QString(), kHtmlStart};
    for (const QStringList& cells : lines) {
        table.plainText += plainRow(cells);
        table.html += htmlRow(cells);
    }
    table.html += kHtmlEnd;
    return table;
}

void copyToClipboard(const ClipboardTable& table) {
    auto* data = new QMimeData;
    data->setText(table.plainText);
    data->setHtml(table.html);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace tokivane
