#pragma once

#include "batch_table.h"

#include <Qt>
#include <vector>

namespace tokivane {

// The rows in the order a click on a column's header shows them: by line
// number, date (rows without one after all dates), judgement ("", "No",
// "Yes") or the text shown; rows that compare equal keep their source order.
std::vector<int> sortedRows(const BatchTable& table, int column, Qt::SortOrder order);

} // namespace tokivane
