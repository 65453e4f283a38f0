#pragma once

#include "closing.h"
#include "date_text.h"

#include <optional>

namespace tokivane {

// 前回請求 and 今回請求 for a processing date and any closing day, by the
// window's rule: the current period runs from the day after the previous
// month's closing to the processing date, the previous one is the period that
// closed in the previous month. None for 都度, which has no period.
struct BillingRanges {
    Date previousStart;
    Date previousEnd;
    Date currentStart;
    Date currentEnd;
};

std::optional<BillingRanges> billingRangesOf(Date processing, ClosingDay closing);

} // namespace tokivane
