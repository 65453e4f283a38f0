#pragma once

#include "amount.h"
#include "batch_table.h"

#include <QString>
#include <optional>
#include <vector>

namespace tokivane {

// What a row's amount cell gave.
enum class AmountState : quint8 {
    // No cell, or nothing but blanks in it: left out, and nothing wrong.
    Empty,
    Read,
    // Read, and written with decimals.
    ReadWithDecimals,
    Refused,
};

// Every row's amount, read once from its cell: nine bytes a row, so that a
// million rows can be totalled again and again. Why a cell was refused is
// not held; amountNote reads it again for the rows that show it.
class RowAmounts {
  public:
    RowAmounts() = default;
    RowAmounts(const BatchTable& table, std::optional<qsizetype> column);

    // The column read; none when no amount column is chosen.
    std::optional<qsizetype> column() const { return column_; }
    qsizetype size() const { return qsizetype(states_.size()); }
    AmountState stateOf(qsizetype row) const { return AmountState(states_[std::size_t(row)]); }
    // The row's amount when its cell was read.
    std::optional<Amount> amountOf(qsizetype row) const;

  private:
    std::optional<qsizetype> column_;
    std::vector<qint64> hundredths_;
    std::vector<quint8> states_;
};

} // namespace tokivane
