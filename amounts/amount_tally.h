#pragma once

#include "amount.h"

#include <variant>

namespace tokivane {

// Amounts added up in 128 bits, so that no order of adding them can pass
// what 64 bits hold on the way: only a total that itself passes is refused.
// Tallies of parts add up to the tally of the whole, whatever the parts.
class AmountTally {
  public:
    void add(Amount amount) {
        total_ += amount.hundredths;
        ++count_;
        fractional_ = fractional_ || amount.fractional;
    }
    void add(const AmountTally& other);

    qint64 count() const { return count_; }
    // Whether an amount added was written with decimals.
    bool fractional() const { return fractional_; }
    std::variant<Amount, AmountError> total() const;

    bool operator==(const AmountTally&) const = default;

  private:
    // A million rows of the largest amounts stay far inside 128 bits.
    __extension__ typedef __int128 Wide;

    Wide total_ = 0;
    qint64 count_ = 0;
    bool fractional_ = false;
};

} // namespace tokivane
