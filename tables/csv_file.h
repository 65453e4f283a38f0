#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace tokivane {

enum class CsvEncoding { Utf8WithBom, ShiftJis };

// A cell as RFC 4180 text holds it: quoted, its quotes doubled, when it
// holds a comma, a quote, a tab or a line break, or begins or ends with a
// blank a spreadsheet would drop; as it is otherwise.
QString csvCell(const QString& cell);

// Whether csvCell quotes the cell.
bool needsQuotes(QStringView cell);

// Appends the cell to `out` quoted, its quotes doubled.
template <typename Text> void appendQuotedCsvCell(Text& out, QStringView cell) {
    out.append(QChar(u'"'));
    for (qsizetype quote = cell.indexOf(u'"'); quote >= 0; quote = cell.indexOf(u'"')) {
        out.append(cell.first(quote + 1));
        out.append(QChar(u'"'));
        cell = cell.sliced(quote + 1);
    }
    out.append(cell);
    out.append(QChar(u'"'));
}

// Appends the cell to `out` as csvCell gives it, without a copy of its own:
// a sheet has millions.
template <typename Text> void appendCsvCell(Text& out, QStringView cell) {
    if (needsQuotes(cell))
        appendQuotedCsvCell(out, cell);
    else
        out.append(cell);
}

// RFC 4180 text: cells joined by commas, lines ended by CRLF, a cell quoted
// when it holds a comma, a quote or a line break (or begins or ends with a
// blank a spreadsheet would drop), its quotes doubled.
QString csvText(const QList<QStringList>& lines);

// The bytes of a CSV file; no value when a character has no Shift_JIS form.
std::optional<QByteArray> csvBytes(const QString& text, CsvEncoding encoding);

} // namespace tokivane
