#include "yen_axis.h"

#include "yen_text.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tokivane {

namespace {

constexpr qint64 kYen = 100;
constexpr qint64 kManYen = 1'000'000;
constexpr qint64 kManYenFrom = 100'000 * kYen;
constexpr qint64 kMostIntervals = 7;
constexpr qint64 kMost = std::numeric_limits<qint64>::max();
constexpr qint64 kLeast = std::numeric_limits<qint64>::min();

// 1, 2 and 5 × 10^n yen for every n whose steps fit in 64 bits.
constexpr auto kSteps = [] {
    std::array<qint64, 51> steps{};
    qint64 decade = kYen;
    for (std::size_t i = 0; i < steps.size(); i += 3) {
        steps[i] = decade;
        steps[i + 1] = 2 * decade;
        steps[i + 2] = 5 * decade;
        if (i + 3 < steps.size())
            decade *= 10;
    }
    return steps;
}();
static_assert(kSteps.back() == 5'000'000'000'000'000'000);

// Division by a positive step, rounded down or up; neither overflows.
qint64 floorDiv(qint64 value, qint64 step) {
    return value / step - (value % step != 0 && value < 0 ? 1 : 0);
}
qint64 ceilDiv(qint64 value, qint64 step) {
    return value / step + (value % step != 0 && value > 0 ? 1 : 0);
}

qint64 stepFor(qint64 low, qint64 high, bool manYen) {
    const auto first = manYen ? std::ranges::find(kSteps, kManYen) : kSteps.begin();
    const auto fits = std::find_if(first, kSteps.end(), [&](qint64 step) {
        return ceilDiv(high, step) - floorDiv(low, step) <= kMostIntervals;
    });
    return fits == kSteps.end() ? kSteps.back() : *fits;
}

// The tick at or above `high`, or `high` where that tick passes the range.
qint64 highEnd(qint64 high, qint64 step) {
    const qint64 ticks = ceilDiv(high, step);
    return ticks > kMost / step ? high : ticks * step;
}

qint64 lowEnd(qint64 low, qint64 step) {
    const qint64 ticks = floorDiv(low, step);
    return ticks < kLeast / step ? low : ticks * step;
}

} // namespace

YenAxis yenAxis(qint64 least, qint64 most) {
    const qint64 low = std::min<qint64>(least, 0);
    const qint64 high = std::max<qint64>(most, 0);
    YenAxis axis;
    axis.manYen = high >= kManYenFrom || low <= -kManYenFrom;
    axis.step = stepFor(low, high, axis.manYen);
    axis.low = lowEnd(low, axis.step);
    axis.high = highEnd(high, axis.step);
    if (axis.low == axis.high)
        axis.high = axis.step;
    return axis;
}

std::vector<qint64> axisTicks(const YenAxis& axis) {
    std::vector<qint64> ticks;
    for (qint64 n = ceilDiv(axis.low, axis.step); n <= floorDiv(axis.high, axis.step); ++n)
        ticks.push_back(n * axis.step);
    return ticks;
}

QString tickLabel(const YenAxis& axis, qint64 tick) {
    if (tick == 0)
        return QStringLiteral("0");
    return axis.manYen ? manYenText(tick) : yenText(tick);
}

} // namespace tokivane
