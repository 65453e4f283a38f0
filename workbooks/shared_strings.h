#pragma once

#include "zip_archive.h"

#include <QString>
#include <QStringList>
#include <variant>

namespace tokivane {

// The texts that a workbook's cells name by number, each as its plain text:
// rich text runs joined, phonetic readings left out.
std::variant<QStringList, QString> readSharedStrings(const ZipArchive& zip, const QString& part);

} // namespace tokivane
