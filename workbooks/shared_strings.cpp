#include "shared_strings.h"

#include "file_text.h"
#include "text_escapes.h"

#include <QXmlStreamReader>

namespace tokivane {

std::variant<QStringList, QString> readSharedStrings(const ZipArchive& zip, const QString& part) {
    if (part.isEmpty() || !zip.contains(part))
        return QStringList{};
    auto bytes = zip.readWhole(part, kMaxFileBytes);
    if (auto* problem = std::get_if<QString>(&bytes))
        return *problem;
    QStringList strings;
    QString current;
    qsizetype characters = 0;
    int phoneticDepth = 0;
    QXmlStreamReader xml(std::get<QByteArray>(bytes));
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rPh")
                ++phoneticDepth;
            else if (xml.name() == u"t" && phoneticDepth == 0)
                current += xml.readElementText();
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"rPh") {
                --phoneticDepth;
            } else if (xml.name() == u"si") {
                characters += current.size();
                if (characters > kMaxFileBytes)
                    return QStringLiteral("%1：文字列が多すぎます").arg(part);
                strings.append(unescapedText(current));
                current.clear();
            }
        }
    }
    if (xml.hasError())
        return QStringLiteral("%1：XMLが壊れています（%2）").arg(part, xml.errorString());
    return strings;
}

} // namespace tokivane
