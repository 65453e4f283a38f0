#include "chart_colours.h"

#include <algorithm>
#include <cmath>

namespace tokivane {

namespace {

// How far from the ground towards the text each faint colour lies.
constexpr double kGridShare = 0.16;
constexpr double kZeroLineShare = 0.6;
constexpr double kClosedDayShare = 0.07;
// The least contrast a bar needs against the ground to be seen as a shape
// (WCAG's figure for graphics), and the steps in which it is sought.
constexpr double kLeastBarContrast = 3.0;
constexpr double kBarShareStep = 0.1;

QColor mixed(QColor from, QColor to, double share) {
    const auto channel = [share](float a, float b) { return a + (b - a) * float(share); };
    return QColor::fromRgbF(channel(from.redF(), to.redF()), channel(from.greenF(), to.greenF()),
                            channel(from.blueF(), to.blueF()));
}

// WCAG 2 relative luminance of an sRGB colour.
double luminance(QColor colour) {
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(QColor a, QColor b) {
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor barColour(QColor highlight, QColor ground, QColor ink) {
    QColor bar = highlight;
    for (double share = kBarShareStep; contrast(bar, ground) < kLeastBarContrast && share <= 1;
         share += kBarShareStep)
        bar = mixed(highlight, ink, share);
    return bar;
}

} // namespace

ChartColours chartColours(const QPalette& palette) {
    const QColor ground = palette.color(QPalette::Base);
    const QColor ink = palette.color(QPalette::Text);
    return {ground,
            ink,
            mixed(ground, ink, kGridShare),
            mixed(ground, ink, kZeroLineShare),
            mixed(ground, ink, kClosedDayShare),
            barColour(palette.color(QPalette::Highlight), ground, ink)};
}

} // namespace tokivane
