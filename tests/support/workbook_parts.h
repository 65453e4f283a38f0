#pragma once

// Workbooks built from their parts, for the cases a writer never makes.

#include <minizip/zip.h>

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <utility>

namespace tokivane::test {

using ZipEntries = QList<std::pair<QString, QByteArray>>;

// A ZIP archive of the entries, deflated or, with method 0, stored.
inline QByteArray zipOf(const ZipEntries& entries, int method = Z_DEFLATED) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parts.zip"));
    zipFile zip = zipOpen64(path.toUtf8().constData(), APPEND_STATUS_CREATE);
    for (const auto& [name, bytes] : entries) {
        zipOpenNewFileInZip64(zip, name.toUtf8().constData(), nullptr, nullptr, 0, nullptr, 0,
                              nullptr, method, Z_DEFAULT_COMPRESSION, 0);
        zipWriteInFileInZip(zip, bytes.constData(), static_cast<unsigned>(bytes.size()));
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

struct SheetPart {
    QString name;
    QByteArray sheetData; // what goes inside <worksheet>
    QString state;        // "", "hidden"
};

// A workbook of the sheets, with shared strings and styles parts as given
// (none when empty), its dates from 1904 when asked.
inline ZipEntries workbookEntries(const QList<SheetPart>& sheets,
                                  const QByteArray& sharedStrings = {},
                                  const QByteArray& styles = {}, bool from1904 = false) {
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    ZipEntries entries;
    entries.append(
        {QStringLiteral("_rels/.rels"),
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel +
             "/officeDocument\" Target=\"xl/workbook.xml\"/>"
             "</Relationships>"});
    QByteArray book = "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel + "\">";
    if (from1904)
        book += "<workbookPr date1904=\"1\"/>";
    book += "<sheets>";
    QByteArray relations =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (qsizetype at = 0; at < sheets.size(); ++at) {
        const QByteArray number = QByteArray::number(at + 1);
        book += "<sheet name=\"" + sheets[at].name.toUtf8() + "\" sheetId=\"" + number +
                "\" r:id=\"rId" + number + "\"" +
                (sheets[at].state.isEmpty() ? QByteArray()
                                            : " state=\"" + sheets[at].state.toUtf8() + "\"") +
                "/>";
        relations += "<Relationship Id=\"rId" + number + "\" Type=\"" + rel +
                     "/worksheet\" Target=\"worksheets/sheet" + number + ".xml\"/>";
        entries.append(
            {QStringLiteral("xl/worksheets/sheet%1.xml").arg(at + 1),
             "<worksheet xmlns=\"" + main + "\">" + sheets[at].sheetData + "</worksheet>"});
    }
    book += "</sheets></workbook>";
    if (!sharedStrings.isEmpty()) {
        relations += "<Relationship Id=\"rIdS\" Type=\"" + rel +
                     "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        entries.append({QStringLiteral("xl/sharedStrings.xml"),
                        "<sst xmlns=\"" + main + "\">" + sharedStrings + "</sst>"});
    }
    if (!styles.isEmpty()) {
        relations +=
            "<Relationship Id=\"rIdT\" Type=\"" + rel + "/styles\" Target=\"styles.xml\"/>";
        entries.append({QStringLiteral("xl/styles.xml"),
                        "<styleSheet xmlns=\"" + main + "\">" + styles + "</styleSheet>"});
    }
    relations += "</Relationships>";
    entries.append({QStringLiteral("xl/workbook.xml"), book});
    entries.append({QStringLiteral("xl/_rels/workbook.xml.rels"), relations});
    return entries;
}

} // namespace tokivane::test
