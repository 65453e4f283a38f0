#include "amount_sum.h"

namespace tokivane {

namespace {

constexpr QStringView kTooLarge = u"合計が大きすぎます（64ビットを超えます）";

} // namespace

AmountError totalTooLarge() {
    return AmountError{kTooLarge.toString()};
}

bool AmountSum::add(Amount amount) {
    ++count_;
    if (refused_)
        return false;
    const std::optional<Amount> total = plus(total_, amount);
    refused_ = !total;
    total_ = total.value_or(total_);
    return !refused_;
}

std::variant<Amount, AmountError> AmountSum::total() const {
    if (refused_)
        return totalTooLarge();
    return total_;
}

} // namespace tokivane
