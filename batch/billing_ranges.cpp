#include "billing_ranges.h"

namespace tokivane {

namespace {

using namespace std::chrono;

Date dayAfter(Date date) {
    return Date{sys_days{date} + days{1}};
}

} // namespace

std::optional<BillingRanges> billingRangesOf(Date processing, ClosingDay closing) {
    const year_month month{processing.year(), processing.month()};
    const auto previous = closingDateIn(month - months{1}, closing);
    const auto beforePrevious = closingDateIn(month - months{2}, closing);
    if (!previous || !beforePrevious)
        return std::nullopt;
    return BillingRanges{dayAfter(*beforePrevious), *previous, dayAfter(*previous), processing};
}

} // namespace tokivane
