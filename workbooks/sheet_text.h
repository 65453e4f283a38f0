#pragma once

#include "cell_styles.h"
#include "excel_dates.h"
#include "file_text.h"
#include "zip_archive.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <variant>

namespace tokivane {

// What a sheet's cells are read with besides its own XML.
struct SheetContext {
    const QStringList* sharedStrings = nullptr;
    const CellStyles* styles = nullptr;
    DateSystem dates = DateSystem::From1900;
};

// Told how far reading has come, from 0 to 1; returns false to stop.
using SheetProgress = std::function<bool(double)>;

// How a sheet's XML is read: by a scanner made for the plain XML workbook
// programs write, leaving anything else to Qt's XML reader, or by Qt's
// reader alone. Both read the same text from any sheet.
enum class SheetReader { ScannerFirst, XmlReaderOnly };

// A sheet's cells as tab-separated text that reads as the same table a CSV
// or TSV file of it would: a line for each row up to the last, rows and
// columns without cells as empty ones, cells quoted as CSV quotes them, and
// every cell of a merged range showing the value of its
// top-left cell. The sheet's XML is read a part at a time, so it may expand
// past the size of the text; the text is held to the file size limit. Why
// not, when the sheet cannot be read.
std::variant<QString, UnreadFile> readSheetText(const ZipArchive& zip, const QString& part,
                                                const SheetContext& context,
                                                const SheetProgress& progress,
                                                SheetReader reader = SheetReader::ScannerFirst);

// The largest sheet XML read, expanded: a bomb stops here.
inline constexpr qint64 kMaxSheetXmlBytes = 4LL * 1024 * 1024 * 1024;

} // namespace tokivane
