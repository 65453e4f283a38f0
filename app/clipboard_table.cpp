#include "clipboard_table.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLatin1StringView>
#include <QMimeData>

namespace tokivane {

namespace {

constexpr QLatin1StringView kLineEnd{"\r\n"};
constexpr QChar kCellSeparator = u'\t';

// Spreadsheets read the page as UTF-8 and keep a cell of format '@' as text.
constexpr QLatin1StringView kHtmlStart{
    "<html><head><meta charset=\"utf-8\"></head><body><table>\r\n"};
constexpr QLatin1StringView kHtmlEnd{"</table></body></html>\r\n"};
constexpr QLatin1StringView kRowStart{"<tr>"};
constexpr QLatin1StringView kRowEnd{"</tr>\r\n"};
constexpr QLatin1StringView kTextCellStart{"<td style=\"mso-number-format:'\\@'\">"};
constexpr QLatin1StringView kTextCellEnd{"</td>"};

QString htmlRow(const QStringList& cells) {
    QString html = kRowStart;
    for (const QString& cell : cells)
        html += kTextCellStart + cell.toHtmlEscaped() + kTextCellEnd;
    return html + kRowEnd;
}

} // namespace

ClipboardTable clipboardTableOf(const QList<QStringList>& lines) {
    ClipboardTable table{QString(), kHtmlStart};
    for (const QStringList& cells : lines) {
        table.plainText += cells.join(kCellSeparator) + kLineEnd;
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
