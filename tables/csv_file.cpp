#include "csv_file.h"

#include "shift_jis.h"

namespace tokivane {

namespace {

constexpr QLatin1StringView kLineEnd{"\r\n"};
constexpr QByteArrayView kUtf8Bom{"\xEF\xBB\xBF"};

bool needsQuotes(const QString& cell) {
    if (cell.isEmpty())
        return false;
    return cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\t') ||
           cell.contains(u'\n') || cell.contains(u'\r') || cell.front().isSpace() ||
           cell.back().isSpace();
}

} // namespace

QString csvCell(const QString& cell) {
    if (!needsQuotes(cell))
        return cell;
    QString quoted = cell;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
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
