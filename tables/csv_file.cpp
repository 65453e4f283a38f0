#include "csv_file.h"

#include "shift_jis.h"

namespace tokivane {

namespace {

constexpr QLatin1StringView kLineEnd{"\r\n"};
constexpr QByteArrayView kUtf8Bom{"\xEF\xBB\xBF"};

} // namespace

// One pass over the cell: a sheet has millions.
bool needsQuotes(QStringView cell) {
    if (cell.isEmpty())
        return false;
    for (const QChar c : cell)
        if (c == u',' || c == u'"' || c == u'\t' || c == u'\n' || c == u'\r')
            return true;
    return cell.front().isSpace() || cell.back().isSpace();
}

QString csvCell(const QString& cell) {
    if (!needsQuotes(cell))
        return cell;
    QString quoted;
    quoted.reserve(cell.size() + 2);
    appendQuotedCsvCell(quoted, cell);
    return quoted;
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
