#include "chart_bars.h"

#include <algorithm>
#include <limits>

namespace tokivane {

namespace {

using namespace std::chrono;

constexpr int kLongestDailySpan = 93;

// A 64-bit total and how often it has wrapped past either end, so that
// partial sums may leave the range and return to it exactly.
struct WideSum {
    qint64 low = 0;
    qint64 wraps = 0;

    void add(qint64 value) {
        const auto sum = qint64(quint64(low) + quint64(value));
        if (value > 0 && sum < low)
            ++wraps;
        else if (value < 0 && sum > low)
            --wraps;
        low = sum;
    }

    qint64 saturated() const {
        if (wraps > 0)
            return std::numeric_limits<qint64>::max();
        if (wraps < 0)
            return std::numeric_limits<qint64>::min();
        return low;
    }
};

struct MonthSums {
    WideSum count;
    WideSum hundredths;
};

year_month monthOf(const ChartBar& bar) {
    return bar.date.year() / bar.date.month();
}

bool earlier(const ChartBar& a, const ChartBar& b) {
    return sys_days{a.date} < sys_days{b.date};
}

} // namespace

std::vector<ChartBar> monthlyBars(const std::vector<ChartBar>& daily) {
    if (daily.empty())
        return {};
    const auto [first, last] = std::ranges::minmax_element(daily, earlier);
    const year_month start = monthOf(*first);
    std::vector<MonthSums> sums(std::size_t((monthOf(*last) - start).count()) + 1);
    for (const ChartBar& day : daily) {
        MonthSums& month = sums[std::size_t((monthOf(day) - start).count())];
        month.count.add(day.count);
        month.hundredths.add(day.hundredths);
    }
    std::vector<ChartBar> months;
    months.reserve(sums.size());
    for (std::size_t i = 0; i < sums.size(); ++i)
        months.push_back({(start + std::chrono::months(qint64(i))) / 1d, sums[i].count.saturated(),
                          sums[i].hundredths.saturated(), false});
    return months;
}

bool wantsMonths(const std::vector<ChartBar>& daily) {
    if (daily.empty())
        return false;
    const auto [first, last] = std::ranges::minmax_element(daily, earlier);
    return (sys_days{last->date} - sys_days{first->date}).count() + 1 > kLongestDailySpan;
}

} // namespace tokivane
