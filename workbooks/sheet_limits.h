#pragma once

#include "sheet_table.h"

#include <QString>
#include <optional>

namespace tokivane {

// Why a table cannot be one sheet, naming the table and where: more rows or
// columns than a sheet has, or a cell longer than a cell holds. None when it
// fits. Nothing is cut short or left out instead.
std::optional<QString> sheetRefusal(const SheetTable& table);

} // namespace tokivane
