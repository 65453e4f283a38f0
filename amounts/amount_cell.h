#pragma once

#include "amount.h"

#include <QStringView>
#include <variant>

namespace tokivane {

// A cell with nothing but blanks in it: no amount, and nothing wrong either.
struct EmptyCell {
    bool operator==(const EmptyCell&) const = default;
};

using AmountCell = std::variant<EmptyCell, Amount, AmountError>;

// An amount cell of a ledger as people and exports write it: "1234", "1,234",
// "¥1,234", "￥１，２３４", "1,234円", "\1,234" (the yen sign of Shift_JIS
// files), negative as "-1,234", "−1,234", "△1,234", "▲1,234" or "(1,234)",
// one sign before or after the yen sign, up to two decimals ("1234.50"),
// blanks around the cell and its marks. Thousands separators stand in groups
// of three or not at all. A point needs digits on both sides: ".5" is refused,
// as in a yen ledger it is likelier a stray mark than half a yen.
AmountCell readAmountCell(QStringView cell);

} // namespace tokivane
