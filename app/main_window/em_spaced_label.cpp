#include "em_spaced_label.h"

#include <QFontInfo>
#include <QPainter>
#include <QTextLayout>

namespace tokivane {

void EmSpacedLabel::paintEvent(QPaintEvent* /*event*/) {
    const QRect area = contentsRect();
    const int em = QFontInfo(font()).pixelSize();

    QTextLayout lines(text(), font());
    QTextOption option(alignment());
    option.setWrapMode(QTextOption::WordWrap);
    lines.setTextOption(option);
    lines.beginLayout();
    int top = 0;
    for (QTextLine line = lines.createLine(); line.isValid(); line = lines.createLine()) {
        line.setLineWidth(area.width());
        line.setPosition(QPointF(0, top));
        top += em;
    }
    lines.endLayout();

    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    lines.draw(&painter, area.topLeft());
}

} // namespace tokivane
