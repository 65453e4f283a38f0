#pragma once

#include "amount_cell.h"
#include "batch_table.h"

#include <QString>
#include <optional>

namespace tokivane {

// A row's cell in an amount column as read; a row with fewer cells, or an
// empty line, has an empty one. A quoted value may be unquoted into `storage`.
AmountCell amountCellOf(const BatchTable& table, const BatchRow& row, qsizetype column,
                        QString& storage);

// Why a row's amount cell was refused, as 備考 says it ("金額の列：…");
// empty when it was read, empty or no column is chosen.
QString amountNote(const BatchTable& table, const BatchRow& row, std::optional<qsizetype> column);

} // namespace tokivane
