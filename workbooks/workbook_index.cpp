#include "workbook_index.h"

#include <QHash>
#include <QXmlStreamReader>

namespace tokivane {

namespace {

constexpr QStringView kRootRelations = u"_rels/.rels";
// Parts that index a workbook are small; these limits only stop a bomb.
constexpr qint64 kMaxIndexPartBytes = 64LL * 1024 * 1024;

struct Relation {
    QString type;
    QString target;
};

// The relationships of a part, by their ids.
std::variant<QHash<QString, Relation>, QString>
relationsOf(const ZipArchive& zip, const QString& relationsPart, const QString& ofPart) {
    auto bytes = zip.readWhole(relationsPart, kMaxIndexPartBytes);
    if (auto* problem = std::get_if<QString>(&bytes))
        return *problem;
    QHash<QString, Relation> relations;
    QXmlStreamReader xml(std::get<QByteArray>(bytes));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
            continue;
        const auto attributes = xml.attributes();
        if (attributes.value(QLatin1StringView("TargetMode")) == u"External")
            continue;
        relations.insert(attributes.value(QLatin1StringView("Id")).toString(),
                         {attributes.value(QLatin1StringView("Type")).toString(),
                          resolvedPart(ofPart, attributes.value(QLatin1StringView("Target")))});
    }
    if (xml.hasError())
        return QStringLiteral("%1：XMLが壊れています（%2）").arg(relationsPart, xml.errorString());
    return relations;
}

QString relationsPartOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.sliced(slash + 1) +
           QStringLiteral(".rels");
}

bool isTrue(QStringView value) {
    return value == u"1" || value == u"true";
}

// An attribute by its local name, whatever its namespace: workbooks in the
// strict form name relationships in another namespace.
QStringView attributeNamed(const QXmlStreamAttributes& attributes, QStringView name) {
    for (const auto& attribute : attributes)
        if (attribute.name() == name)
            return attribute.value();
    return {};
}

std::optional<QString> readWorkbookPart(const ZipArchive& zip, const QString& part,
                                        const QHash<QString, Relation>& relations,
                                        WorkbookIndex& index) {
    auto bytes = zip.readWhole(part, kMaxIndexPartBytes);
    if (auto* problem = std::get_if<QString>(&bytes))
        return *problem;
    QXmlStreamReader xml(std::get<QByteArray>(bytes));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = xml.attributes();
        if (xml.name() == u"workbookPr" &&
            isTrue(attributes.value(QLatin1StringView("date1904")))) {
            index.dates = DateSystem::From1904;
        } else if (xml.name() == u"sheet") {
            const auto relation = relations.constFind(attributeNamed(attributes, u"id").toString());
            // Chart and dialog sheets hold no cells.
            if (relation == relations.cend() || !relation->type.endsWith(u"/worksheet"))
                continue;
            const QStringView state = attributes.value(QLatin1StringView("state"));
            index.sheets.append({attributes.value(QLatin1StringView("name")).toString(),
                                 relation->target, state != u"hidden" && state != u"veryHidden"});
        }
    }
    if (xml.hasError())
        return QStringLiteral("%1：XMLが壊れています（%2）").arg(part, xml.errorString());
    return std::nullopt;
}

std::optional<QString> officeDocumentOf(const QHash<QString, Relation>& relations) {
    for (const Relation& relation : relations)
        if (relation.type.endsWith(u"/officeDocument"))
            return relation.target;
    return std::nullopt;
}

} // namespace

QString resolvedPart(const QString& fromPart, QStringView target) {
    QStringList folders;
    if (!target.startsWith(u'/'))
        folders = fromPart.left(std::max<qsizetype>(fromPart.lastIndexOf(u'/'), 0))
                      .split(u'/', Qt::SkipEmptyParts);
    for (const QStringView step : target.split(u'/', Qt::SkipEmptyParts)) {
        if (step == u"..") {
            if (!folders.isEmpty())
                folders.removeLast();
        } else if (step != u".") {
            folders.append(step.toString());
        }
    }
    return folders.join(u'/');
}

std::variant<WorkbookIndex, QString> readWorkbookIndex(const ZipArchive& zip) {
    if (!zip.contains(kRootRelations.toString()))
        return QStringLiteral("Excelブックではありません（ブックの目次がありません）");
    auto root = relationsOf(zip, kRootRelations.toString(), QString());
    if (auto* problem = std::get_if<QString>(&root))
        return *problem;
    const auto workbookPart = officeDocumentOf(std::get<0>(root));
    if (!workbookPart || !zip.contains(*workbookPart))
        return QStringLiteral("Excelブックではありません（ブック本体がありません）");

    QHash<QString, Relation> relations;
    const QString relationsPart = relationsPartOf(*workbookPart);
    if (zip.contains(relationsPart)) {
        auto read = relationsOf(zip, relationsPart, *workbookPart);
        if (auto* problem = std::get_if<QString>(&read))
            return *problem;
        relations = std::move(std::get<0>(read));
    }
    WorkbookIndex index;
    if (const auto problem = readWorkbookPart(zip, *workbookPart, relations, index))
        return *problem;
    for (const Relation& relation : relations) {
        if (relation.type.endsWith(u"/sharedStrings"))
            index.sharedStringsPart = relation.target;
        else if (relation.type.endsWith(u"/styles"))
            index.stylesPart = relation.target;
    }
    if (index.sheets.isEmpty())
        return QStringLiteral("ブックにワークシートがありません");
    return index;
}

qsizetype firstVisibleSheet(const WorkbookIndex& index) {
    for (qsizetype at = 0; at < index.sheets.size(); ++at)
        if (index.sheets[at].visible)
            return at;
    return 0;
}

} // namespace tokivane
