#include "csv_file.h"

#include "shift_jis.h"

namespace tokivane {

namespace {

constexpr QLatin1StringView kLineEnd{"\r\n"};
constexpr QByteArrayView kUtf8Bom{"\xEF\xBB\xBF"};

// One pass over the cell: a sheet has millions.
bool needsQuotes(const QString& cell) {
    if (cell.isEmpty())
        return false;
    for (const QChar c : cell)
        if (c == u',' || c == u'"' || c == u'\t' || c == u'\n' || c == u'\r')
            return true;
    return cell.front().isSpace() || cell.back().isSpace();
}

// A cell that needs quotes, quoted, its quotes doubled.
QString quotedCell(const QString& cell) {
    QString quoted = QStringLiteral("\"");
    qsizetype from = 0;
    for (qsizetype quote = cell.indexOf(u'"'); quote >= 0; quote = cell.indexOf(u'"', from)) {
        quoted += QStringView(cell).sliced(from, quote + 1 - from);
        quoted += u'"';
        from = quote + 1;
    }
    quoted += QStringView(cell).sliced(from);
    quoted += u'"';
    return quoted;
}

} // namespace

QString csvCell(const QString& cell) {
    return needsQuotes(cell) ? quotedCell(cell) : cell;
}

QString csvText(const QList<QStringList>& lines) {
    QString text;
    for (const QStringList& line : lines) {
        for (qsizetype at = 0; at < line.size(); ++at) {
            if (at > 0)
                text += u',';
            text += csvCell(line[at]);
        }
        text += kLineEnd;
    }
    return text;
}

std::optional<QByteArray> csvBytes(const QString& text, CsvEncoding encoding) {
    if (encoding == CsvEncoding::ShiftJis)
        return encodeShiftJis(text);
    return kUtf8Bom.toByteArray() + text.toUtf8();
}

} // namespace tokivane
