#include "cell_styles.h"

#include <QXmlStreamReader>

namespace tokivane {

namespace {

constexpr qint64 kMaxStylesBytes = 64LL * 1024 * 1024;

} // namespace

std::variant<CellStyles, QString> readCellStyles(const ZipArchive& zip, const QString& part) {
    if (part.isEmpty() || !zip.contains(part))
        return CellStyles{};
    auto bytes = zip.readWhole(part, kMaxStylesBytes);
    if (auto* problem = std::get_if<QString>(&bytes))
        return *problem;
    QHash<int, QString> codes;
    QList<int> formatIds;
    // Only cellXfs are the styles cells name; cellStyleXfs hold xf too.
    bool inCellStyles = false;
    QXmlStreamReader xml(std::get<QByteArray>(bytes));
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == u"cellXfs")
            inCellStyles = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = xml.attributes();
        if (xml.name() == u"numFmt")
            codes.insert(attributes.value(QLatin1StringView("numFmtId")).toInt(),
                         attributes.value(QLatin1StringView("formatCode")).toString());
        else if (xml.name() == u"cellXfs")
            inCellStyles = true;
        else if (inCellStyles && xml.name() == u"xf")
            formatIds.append(attributes.value(QLatin1StringView("numFmtId")).toInt());
    }
    if (xml.hasError())
        return QStringLiteral("%1：XMLが壊れています（%2）").arg(part, xml.errorString());
    CellStyles styles;
    styles.reserve(formatIds.size());
    for (const int id : formatIds)
        styles.append(formatOfStyle(id, codes));
    return styles;
}

const NumberFormat& formatOfCellStyle(const CellStyles& styles, qsizetype style) {
    static const NumberFormat general;
    return style >= 0 && style < styles.size() ? styles[style] : general;
}

} // namespace tokivane
