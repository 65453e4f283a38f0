#pragma once

#include "yen_axis.h"

#include <QFontMetricsF>
#include <QRectF>
#include <QSizeF>

namespace tokivane {

// Where a chart's parts lie in an area of logical pixels, every length a
// share of the font's line height so the chart scales with its font.
struct ChartLayout {
    QRectF plot;           // the axis' low at the bottom, its high at the top
    double pitch = 0;      // the width each bar's column takes
    double barWidth = 0;   // the bar within its column
    double tickRight = 0;  // where the tick labels end, right-aligned
    double labelTop = 0;   // the row of date labels under the plot
    double labelWidth = 0; // room for the widest date label
    double lineHeight = 0;
    double lineWidth = 0; // gridlines and outlines
    int labelEvery = 1;   // a date label on every k-th bar, so that none overlap
};

ChartLayout chartLayout(QSizeF area, const QFontMetricsF& metrics, const YenAxis& axis, int bars,
                        bool months);

double amountY(const ChartLayout& layout, const YenAxis& axis, qint64 amount);

// A bar's column from the plot's top to the bottom of its date label.
QRectF columnRect(const ChartLayout& layout, int index);

QRectF barRect(const ChartLayout& layout, const YenAxis& axis, int index, qint64 amount);

// The bar whose column holds `point`, or -1.
int barAt(const ChartLayout& layout, int bars, QPointF point);

} // namespace tokivane
