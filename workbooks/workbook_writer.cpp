#include "workbook_writer.h"

#include "sheet_limits.h"
#include "sheet_names.h"
#include "xlsx_writer.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

namespace tokivane {

namespace {

constexpr qint64 kCopyChunk = 1 << 20;
constexpr QStringView kWrittenName = u"workbook.xlsx";

constexpr QStringView kNoTables = u"保存する表がありません";
constexpr QStringView kNoTemporaryFolder = u"一時フォルダを作れないため保存できません：%1";
constexpr QStringView kCannotSave = u"保存できません：%1";

QStringList namesOf(const QList<SheetTable>& sheets) {
    QStringList names;
    names.reserve(sheets.size());
    for (const SheetTable& sheet : sheets)
        names.append(sheet.name);
    return names;
}

// The written workbook's bytes into place at `path`, all at once when done.
std::optional<QString> putInPlace(const QString& written, const QString& path) {
    QFile source(written);
    if (!source.open(QIODevice::ReadOnly))
        return kCannotSave.toString().arg(source.errorString());
    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly))
        return kCannotSave.toString().arg(target.errorString());
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kCopyChunk);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size()) {
            const QString why = chunk.isEmpty() ? source.errorString() : target.errorString();
            target.cancelWriting();
            return kCannotSave.toString().arg(why);
        }
    }
    if (!target.commit())
        return kCannotSave.toString().arg(target.errorString());
    return std::nullopt;
}

} // namespace

std::optional<QString> writeWorkbookFile(const QString& path, const QList<SheetTable>& sheets) {
    if (sheets.isEmpty())
        return kNoTables.toString();
    for (const SheetTable& sheet : sheets) {
        if (auto refused = sheetRefusal(sheet))
            return refused;
    }
    // The writer takes only a file name, so it writes into a folder of its
    // own, with its temporary files, and the bytes are put in place after.
    const QTemporaryDir folder;
    if (!folder.isValid())
        return kNoTemporaryFolder.toString().arg(folder.errorString());
    const QString written = folder.filePath(kWrittenName.toString());
    if (auto failed = writeXlsx(written, folder.path(), sheets, sheetNamesOf(namesOf(sheets))))
        return failed;
    return putInPlace(written, path);
}

} // namespace tokivane
