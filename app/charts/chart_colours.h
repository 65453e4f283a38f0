#pragma once

#include <QColor>
#include <QPalette>

namespace tokivane {

// What a chart of amounts is drawn with, all from the widget's palette so it
// reads under a light desktop and a dark one alike.
struct ChartColours {
    QColor ground;    // Base
    QColor ink;       // Text: labels and the focus outline
    QColor grid;      // gridlines, faintly
    QColor zeroLine;  // the zero of the axis, firmer than a gridline
    QColor closedDay; // the band behind a weekend's or holiday's bar and label
    QColor bar;       // Highlight, moved towards the text where it fades into the ground
};

ChartColours chartColours(const QPalette& palette);

} // namespace tokivane
