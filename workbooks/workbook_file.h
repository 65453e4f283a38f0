#pragma once

#include "file_text.h"
#include "sheet_text.h"
#include "workbook_index.h"
#include "zip_archive.h"

#include <QByteArray>
#include <QString>
#include <variant>

namespace tokivane {

// What a file's first bytes say it is.
enum class FileBytesKind {
    Text,
    // A ZIP archive: a workbook, if its parts say so.
    Zip,
    // An OLE compound file: a workbook saved with a password, or one of the
    // old binary kind; neither can be read.
    CompoundFile,
};

FileBytesKind kindOfFileBytes(const QByteArray& bytes);

// A workbook opened from its bytes, its index read, its sheets not yet.
struct OpenWorkbook {
    ZipArchive zip;
    WorkbookIndex index;
};

// The workbook, or why the bytes are none that can be read.
std::variant<OpenWorkbook, UnreadFile> openWorkbook(const QByteArray& bytes);

// One sheet's cells as the text a CSV or TSV file of it would give.
std::variant<QString, UnreadFile> readWorkbookSheet(const OpenWorkbook& workbook, qsizetype sheet,
                                                    const SheetProgress& progress,
                                                    SheetReader reader = SheetReader::ScannerFirst);

} // namespace tokivane
