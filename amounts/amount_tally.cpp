#include "amount_tally.h"

#include "amount_sum.h"

#include <limits>

namespace tokivane {

void AmountTally::add(const AmountTally& other) {
    total_ += other.total_;
    count_ += other.count_;
    fractional_ = fractional_ || other.fractional_;
}

std::variant<Amount, AmountError> AmountTally::total() const {
    if (total_ < std::numeric_limits<qint64>::min() || total_ > std::numeric_limits<qint64>::max())
        return totalTooLarge();
    return Amount{qint64(total_), fractional_};
}

} // namespace tokivane
