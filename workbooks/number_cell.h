#pragma once

#include <QStringView>
#include <optional>

namespace tokivane {

// A number as a sheet holds it, and whether it is shown with two decimals.
struct SheetNumber {
    double value = 0;
    bool decimals = false;

    bool operator==(const SheetNumber&) const = default;
};

// The number a cell of a count or amount column holds, read as the ledger's
// amounts are ("1,234", "-1,234", "1,234.50", "△1,234", "¥1,234"), when a
// double holds it exactly: at most 15 significant digits. Anything else is
// no number and stays text.
std::optional<SheetNumber> numberOfCell(QStringView cell);

} // namespace tokivane
