#include "chart_painting.h"

#include "bar_text.h"
#include "chart_colours.h"
#include "chart_layout.h"

#include <QPainter>
#include <algorithm>

namespace tokivane {

namespace {

struct Scene {
    QPainter& painter;
    const ChartPicture& picture;
    const ChartLayout& layout;
    const ChartColours& colours;
    QSizeF area;
};

QPen linePen(const Scene& scene, QColor colour) {
    QPen pen(colour, scene.layout.lineWidth);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void paintClosedDays(const Scene& scene) {
    const auto& bars = scene.picture.bars;
    for (int i = 0; i < int(bars.size()); ++i)
        if (bars[std::size_t(i)].closedDay)
            scene.painter.fillRect(columnRect(scene.layout, i), scene.colours.closedDay);
}

void paintAxis(const Scene& scene) {
    const ChartLayout& layout = scene.layout;
    const YenAxis& axis = scene.picture.axis;
    QPainter& painter = scene.painter;
    for (qint64 tick : axisTicks(axis)) {
        const double y = amountY(layout, axis, tick);
        painter.setPen(linePen(scene, tick == 0 ? scene.colours.zeroLine : scene.colours.grid));
        painter.drawLine(QPointF(layout.plot.left(), y), QPointF(layout.plot.right(), y));
        painter.setPen(scene.colours.ink);
        const QRectF label(QPointF(0, y - layout.lineHeight / 2),
                           QPointF(layout.tickRight, y + layout.lineHeight / 2));
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, tickLabel(axis, tick));
    }
}

void paintBars(const Scene& scene) {
    const auto& bars = scene.picture.bars;
    for (int i = 0; i < int(bars.size()); ++i)
        scene.painter.fillRect(
            barRect(scene.layout, scene.picture.axis, i, bars[std::size_t(i)].hundredths),
            scene.colours.bar);
}

void paintDateLabels(const Scene& scene) {
    const ChartLayout& layout = scene.layout;
    const auto& bars = scene.picture.bars;
    scene.painter.setPen(scene.colours.ink);
    for (int i = 0; i < int(bars.size()); i += layout.labelEvery) {
        const double centre = columnRect(layout, i).center().x();
        const double left = std::clamp(centre - layout.labelWidth / 2, 0.0,
                                       std::max(0.0, scene.area.width() - layout.labelWidth));
        const QRectF label(left, layout.labelTop, layout.labelWidth, layout.lineHeight);
        scene.painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop,
                               barLabel(bars[std::size_t(i)], scene.picture.months));
    }
}

void paintFocus(const Scene& scene) {
    const int focused = scene.picture.focused;
    if (focused < 0 || focused >= int(scene.picture.bars.size()))
        return;
    // Around the bar's column within the plot, clear of its date label.
    const QRectF column = columnRect(scene.layout, focused);
    const double out = scene.layout.lineWidth;
    scene.painter.setPen(linePen(scene, scene.colours.ink));
    scene.painter.setBrush(Qt::NoBrush);
    scene.painter.drawRect(
        QRectF(column.left(), scene.layout.plot.top(), column.width(), scene.layout.plot.height())
            .adjusted(-out, -out, out, out));
}

void paintEmptyText(QPainter& painter, QSizeF area, const ChartPicture& picture,
                    const ChartColours& colours) {
    painter.setPen(colours.ink);
    painter.drawText(QRectF(QPointF(), area), Qt::AlignCenter | Qt::TextWordWrap,
                     picture.emptyText);
}

} // namespace

void paintChart(QPainter& painter, QSizeF area, const ChartPicture& picture,
                const QPalette& palette) {
    const ChartColours colours = chartColours(palette);
    painter.fillRect(QRectF(QPointF(), area), colours.ground);
    if (picture.bars.empty()) {
        paintEmptyText(painter, area, picture, colours);
        return;
    }
    const ChartLayout layout = chartLayout(area, QFontMetricsF(painter.font(), painter.device()),
                                           picture.axis, int(picture.bars.size()), picture.months);
    if (layout.plot.height() <= 0 || layout.plot.width() <= 0)
        return;
    const Scene scene{painter, picture, layout, colours, area};
    paintClosedDays(scene);
    paintAxis(scene);
    paintBars(scene);
    paintDateLabels(scene);
    paintFocus(scene);
}

} // namespace tokivane
