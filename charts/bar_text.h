#pragma once

#include "chart_bars.h"

#include <QString>
#include <QStringList>

namespace tokivane {

// The label under a bar: "12/05" for a day, "2025年12月" for a month.
QString barLabel(const ChartBar& bar, bool month);

// What a bar stands for, line by line: the day in full with its weekday and
// any national holiday, "2025年12月5日（金）", or the month; "件数 12"; and
// "金額 1,234,500円".
QStringList barLines(const ChartBar& bar, bool month);

} // namespace tokivane
