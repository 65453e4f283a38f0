#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace tokivane {

// The amount axis of a chart, in hundredths of a yen: ticks every `step`, a
// step of 1, 2 or 5 × 10^n yen, from `low` to `high`. Both ends are ticks,
// except where the next tick would pass the 64-bit range: that end is then
// the amount itself.
struct YenAxis {
    qint64 step = 0;
    qint64 low = 0;
    qint64 high = 0;
    // Labels in 万円: the amounts reach 100,000円 either side of zero.
    bool manYen = false;
};

// The axis for amounts from `least` to `most`, zero always included: the
// smallest step that needs at most seven intervals, whole 万 in 万円. No
// amount other than zero gives 0 to one step.
YenAxis yenAxis(qint64 least, qint64 most);

// The axis' ticks from low to high.
std::vector<qint64> axisTicks(const YenAxis& axis);

// A tick's label: "0", "5,000円", or in 万円 "12万円" (and "1.5万円" for a
// tick that is not whole 万).
QString tickLabel(const YenAxis& axis, qint64 tick);

} // namespace tokivane
