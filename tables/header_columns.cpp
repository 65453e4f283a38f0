#include "header_columns.h"

#include <algorithm>

namespace tokivane {

QString foldedHeader(QStringView header) {
    QString folded = header.toString().normalized(QString::NormalizationForm_KC).toCaseFolded();
    folded.removeIf([](QChar c) { return c.isSpace(); });
    return folded;
}

std::optional<qsizetype> columnNamed(const QStringList& headers,
                                     std::span<const QStringView> names) {
    QStringList folded;
    folded.reserve(static_cast<qsizetype>(names.size()));
    for (const QStringView name : names)
        folded.append(foldedHeader(name));
    for (qsizetype column = 0; column < headers.size(); ++column)
        if (folded.contains(foldedHeader(headers[column])))
            return column;
    return std::nullopt;
}

std::optional<qsizetype> columnNamedFirst(const QStringList& headers,
                                          std::span<const QStringView> names) {
    for (std::size_t at = 0; at < names.size(); ++at)
        if (const auto column = columnNamed(headers, names.subspan(at, 1)))
            return column;
    return std::nullopt;
}

} // namespace tokivane
