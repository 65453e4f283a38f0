#include "chart_layout.h"

#include <QStringView>
#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace tokivane {

namespace {

// In line heights.
constexpr double kMargin = 0.6;
constexpr double kTickGap = 0.4;
constexpr double kLabelGap = 0.3;
constexpr double kLabelSpacing = 1.0;
// A column's gap is dropped when it would be thinner than this.
constexpr double kThinnestGap = 0.1;
constexpr double kBarShare = 0.7;

constexpr int kDaysPerWeek = 7;
constexpr int kMonthsPerYear = 12;
constexpr std::array kDayCounts{1, 2, 3, kDaysPerWeek};
constexpr std::array kMonthCounts{1, 2, 3, 4, 6, kMonthsPerYear};

// "12/05" or "2025年12月", measured without laying out each bar's own.
double widestDateLabel(const QFontMetricsF& metrics, bool months) {
    double digit = 0;
    for (char16_t c = u'0'; c <= u'9'; ++c)
        digit = std::max(digit, metrics.horizontalAdvance(QChar(c)));
    if (months)
        return 6 * digit + metrics.horizontalAdvance(QStringLiteral("年月"));
    return 4 * digit + metrics.horizontalAdvance(u'/');
}

// How many bars a date label stands for, raised to a count that keeps the
// labelled days on one weekday, or the labelled months in the same months of
// every year.
int labelEvery(double room, double pitch, bool months) {
    const int needed = pitch > 0 ? std::max(1, int(std::ceil(room / pitch))) : 1;
    const int period = months ? kMonthsPerYear : kDaysPerWeek;
    const std::span<const int> within =
        months ? std::span<const int>(kMonthCounts) : std::span<const int>(kDayCounts);
    const auto fits = std::ranges::find_if(within, [needed](int every) { return every >= needed; });
    if (fits != within.end())
        return *fits;
    return (needed + period - 1) / period * period;
}

double widestTickLabel(const QFontMetricsF& metrics, const YenAxis& axis) {
    double widest = 0;
    for (qint64 tick : axisTicks(axis))
        widest = std::max(widest, metrics.horizontalAdvance(tickLabel(axis, tick)));
    return widest;
}

} // namespace

ChartLayout chartLayout(QSizeF area, const QFontMetricsF& metrics, const YenAxis& axis, int bars,
                        bool months) {
    ChartLayout layout;
    const double line = metrics.height();
    layout.lineHeight = line;
    layout.lineWidth = std::max(metrics.lineWidth(), line / 16);
    layout.labelWidth = widestDateLabel(metrics, months);
    const double margin = kMargin * line;
    layout.tickRight = margin + widestTickLabel(metrics, axis);
    const double left = layout.tickRight + kTickGap * line;
    const double right = area.width() - margin;
    const double top = margin + line / 2;
    const double bottom = area.height() - margin - line - kLabelGap * line;
    const double count = std::max(bars, 1);
    // The first and last date labels, centred under their bars, stay clear
    // of the tick labels and the edge.
    const double overhang = std::max(0.0, (layout.labelWidth - (right - left) / count) / 2);
    layout.plot = QRectF(QPointF(left + overhang, top), QPointF(right - overhang, bottom));
    layout.pitch = std::max(layout.plot.width(), 0.0) / count;
    const double gap = (1 - kBarShare) * layout.pitch;
    layout.barWidth = gap < kThinnestGap * line ? layout.pitch : layout.pitch - gap;
    layout.labelTop = bottom + kLabelGap * line;
    const double labelRoom = layout.labelWidth + kLabelSpacing * line;
    layout.labelEvery = labelEvery(labelRoom, layout.pitch, months);
    return layout;
}

double amountY(const ChartLayout& layout, const YenAxis& axis, qint64 amount) {
    // In doubles: the axis may span more than 64 bits hold.
    const double share =
        (double(amount) - double(axis.low)) / (double(axis.high) - double(axis.low));
    return layout.plot.bottom() - share * layout.plot.height();
}

QRectF columnRect(const ChartLayout& layout, int index) {
    const double left = layout.plot.left() + index * layout.pitch;
    return QRectF(QPointF(left, layout.plot.top()),
                  QPointF(left + layout.pitch, layout.labelTop + layout.lineHeight));
}

QRectF barRect(const ChartLayout& layout, const YenAxis& axis, int index, qint64 amount) {
    const double zero = amountY(layout, axis, 0);
    const double end = amountY(layout, axis, amount);
    const double left =
        layout.plot.left() + index * layout.pitch + (layout.pitch - layout.barWidth) / 2;
    return QRectF(QPointF(left, std::min(zero, end)),
                  QPointF(left + layout.barWidth, std::max(zero, end)));
}

int barAt(const ChartLayout& layout, int bars, QPointF point) {
    const QRectF columns(layout.plot.topLeft(),
                         QPointF(layout.plot.right(), layout.labelTop + layout.lineHeight));
    if (bars == 0 || layout.pitch <= 0 || !columns.contains(point))
        return -1;
    return std::clamp(int((point.x() - layout.plot.left()) / layout.pitch), 0, bars - 1);
}

} // namespace tokivane
