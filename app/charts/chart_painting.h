#pragma once

#include "chart_bars.h"
#include "yen_axis.h"

#include <QPalette>
#include <QSizeF>
#include <QString>
#include <vector>

class QPainter;

namespace tokivane {

// What one picture of a chart of amounts shows.
struct ChartPicture {
    const std::vector<ChartBar>& bars;
    bool months = false;
    YenAxis axis;
    // The bar drawn with a focus outline, or -1.
    int focused = -1;
    // Shown in the middle when there are no bars.
    QString emptyText;
};

// Paints the chart over `area` with the painter's font: the yen axis and its
// gridlines, closed days' bands, the bars, every k-th date label, the focus.
void paintChart(QPainter& painter, QSizeF area, const ChartPicture& picture,
                const QPalette& palette);

} // namespace tokivane
