#pragma once

#include "amount.h"

#include <variant>

namespace tokivane {

// Why a total is not shown: it passes what 64 bits hold.
AmountError totalTooLarge();

// Amounts added up exactly. Once the running total would pass what 64 bits
// hold the sum is refused, and stays refused: it never wraps.
class AmountSum {
  public:
    // False when the sum is refused, by this amount or before it.
    bool add(Amount amount);

    // How many amounts were added, the refused sum's included.
    qint64 count() const { return count_; }
    bool refused() const { return refused_; }
    std::variant<Amount, AmountError> total() const;

  private:
    Amount total_;
    qint64 count_ = 0;
    bool refused_ = false;
};

} // namespace tokivane
