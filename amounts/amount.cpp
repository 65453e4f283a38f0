#include "amount.h"

namespace tokivane {

std::optional<Amount> plus(Amount a, Amount b) {
    qint64 total = 0;
    if (__builtin_add_overflow(a.hundredths, b.hundredths, &total))
        return std::nullopt;
    return Amount{total, a.fractional || b.fractional};
}

bool showsDecimals(Amount amount) {
    return amount.fractional || amount.hundredths % kHundredthsPerYen != 0;
}

} // namespace tokivane
