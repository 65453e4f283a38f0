#include "batch_files.h"

#include "workbook_writer.h"

#include <QFileInfo>
#include <QSaveFile>

namespace tokivane {

std::optional<QString> writeCsvFile(const QString& path, const QString& csv, CsvEncoding encoding) {
    const auto bytes = csvBytes(csv, encoding);
    if (!bytes)
        return QStringLiteral(
            "Shift_JISで表せない文字があるため保存できません。UTF-8で保存してください。");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("保存できません：%1").arg(file.errorString());
    file.write(*bytes);
    if (!file.commit())
        return QStringLiteral("保存できません：%1").arg(file.errorString());
    return std::nullopt;
}

std::optional<QString> writeTableFile(const TableSaveChoice& choice,
                                      const QList<QStringList>& cells,
                                      const QList<SheetTable>& sheets) {
    switch (choice.type) {
    case TableFileType::Workbook:
        return writeWorkbookFile(choice.path, sheets);
    case TableFileType::CsvShiftJis:
        return writeCsvFile(choice.path, csvText(cells), CsvEncoding::ShiftJis);
    case TableFileType::CsvUtf8:
        break;
    }
    return writeCsvFile(choice.path, csvText(cells), CsvEncoding::Utf8WithBom);
}

bool isBatchFileName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"csv" || suffix == u"tsv" || suffix == u"txt" || suffix == u"xlsx" ||
           suffix == u"xlsm";
}

} // namespace tokivane
