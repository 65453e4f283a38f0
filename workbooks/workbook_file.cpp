#include "workbook_file.h"

#include "shared_strings.h"

namespace tokivane {

namespace {

constexpr char kZipSignature[] = "PK\x03\x04";
constexpr char kCompoundSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

} // namespace

FileBytesKind kindOfFileBytes(const QByteArray& bytes) {
    if (bytes.startsWith(kZipSignature))
        return FileBytesKind::Zip;
    if (bytes.startsWith(kCompoundSignature))
        return FileBytesKind::CompoundFile;
    return FileBytesKind::Text;
}

std::variant<OpenWorkbook, UnreadFile> openWorkbook(const QByteArray& bytes) {
    if (kindOfFileBytes(bytes) == FileBytesKind::CompoundFile)
        return UnreadFile{
            QStringLiteral("パスワードで保護されたブックか、古い形式（."
                           "xls）のブックです。Excelでパスワードを外し、"
                           "Excel ブック（*.xlsx）として保存し直してから開いてください")};
    auto zip = ZipArchive::open(bytes);
    if (auto* problem = std::get_if<QString>(&zip))
        return UnreadFile{*problem};
    auto index = readWorkbookIndex(std::get<ZipArchive>(zip));
    if (auto* problem = std::get_if<QString>(&index))
        return UnreadFile{*problem};
    return OpenWorkbook{std::move(std::get<ZipArchive>(zip)),
                        std::move(std::get<WorkbookIndex>(index))};
}

std::variant<QString, UnreadFile> readWorkbookSheet(const OpenWorkbook& workbook, qsizetype sheet,
                                                    const SheetProgress& progress,
                                                    SheetReader reader) {
    const SheetEntry& entry = workbook.index.sheets.at(sheet);
    const auto inSheet = [&](const QString& reason) {
        return UnreadFile{QStringLiteral("シート「%1」を読めません：%2").arg(entry.name, reason)};
    };
    auto strings = readSharedStrings(workbook.zip, workbook.index.sharedStringsPart);
    if (auto* problem = std::get_if<QString>(&strings))
        return inSheet(*problem);
    auto styles = readCellStyles(workbook.zip, workbook.index.stylesPart);
    if (auto* problem = std::get_if<QString>(&styles))
        return inSheet(*problem);
    const SheetContext context{&std::get<QStringList>(strings), &std::get<CellStyles>(styles),
                               workbook.index.dates};
    auto text = readSheetText(workbook.zip, entry.part, context, progress, reader);
    if (auto* problem = std::get_if<UnreadFile>(&text))
        return inSheet(problem->reason);
    return text;
}

} // namespace tokivane
