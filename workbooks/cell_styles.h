#pragma once

#include "number_format.h"
#include "zip_archive.h"

#include <QList>
#include <variant>

namespace tokivane {

// The number formats of a workbook's cell styles, by the style number that
// a cell's s attribute gives.
using CellStyles = QList<NumberFormat>;

// The styles part read, or why it could not be; no part, no styles.
std::variant<CellStyles, QString> readCellStyles(const ZipArchive& zip, const QString& part);

// The format of a cell's style; General for a style the workbook lacks.
const NumberFormat& formatOfCellStyle(const CellStyles& styles, qsizetype style);

} // namespace tokivane
