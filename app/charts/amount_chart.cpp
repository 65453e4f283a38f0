#include "amount_chart.h"

#include "bar_text.h"
#include "chart_layout.h"
#include "chart_painting.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QToolTip>
#include <algorithm>

namespace tokivane {

namespace {

// In line heights.
constexpr int kHintWidth = 36;
constexpr int kHintHeight = 14;
constexpr int kLeastWidth = 12;
constexpr int kLeastHeight = 6;

constexpr QStringView kDescriptionSeparator = u"、";

YenAxis axisOf(const std::vector<ChartBar>& bars) {
    const auto [least, most] = std::ranges::minmax_element(
        bars, [](const ChartBar& a, const ChartBar& b) { return a.hundredths < b.hundredths; });
    return bars.empty() ? yenAxis(0, 0) : yenAxis(least->hundredths, most->hundredths);
}

} // namespace

AmountChart::AmountChart(QWidget* parent) : QWidget(parent), axis_(yenAxis(0, 0)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("金額のグラフ"));
}

void AmountChart::setBars(std::vector<ChartBar> bars, bool months) {
    bars_ = std::move(bars);
    months_ = months;
    axis_ = axisOf(bars_);
    focused_ = bars_.empty() ? -1 : 0;
    describeFocus();
    update();
    emit focusedBarChanged(focused_);
}

void AmountChart::setEmptyText(const QString& text) {
    emptyText_ = text;
    if (bars_.empty()) {
        describeFocus();
        update();
    }
}

ChartLayout AmountChart::layout() const {
    return chartLayout(size(), QFontMetricsF(font(), this), axis_, int(bars_.size()), months_);
}

ChartPicture AmountChart::picture(int focused) const {
    return {bars_, months_, axis_, focused, emptyText_};
}

QRectF AmountChart::plotRect() const {
    return layout().plot;
}

QRectF AmountChart::barRect(int index) const {
    if (index < 0 || index >= int(bars_.size()))
        return {};
    return tokivane::barRect(layout(), axis_, index, bars_[std::size_t(index)].hundredths);
}

QString AmountChart::barText(int index) const {
    if (index < 0 || index >= int(bars_.size()))
        return {};
    return barLines(bars_[std::size_t(index)], months_).join(u'\n');
}

QImage AmountChart::renderImage(QSize logicalSize, qreal scale) const {
    QImage image((QSizeF(logicalSize) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    painter.setFont(font());
    paintChart(painter, logicalSize, picture(-1), palette());
    return image;
}

std::optional<QString> AmountChart::savePng(const QString& path) const {
    const QImage image = renderImage(size(), devicePixelRatioF());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("保存できません：%1").arg(file.errorString());
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return QStringLiteral("画像を書き出せません：%1").arg(file.errorString());
    }
    if (!file.commit())
        return QStringLiteral("保存できません：%1").arg(file.errorString());
    return std::nullopt;
}

QSize AmountChart::sizeHint() const {
    const int line = fontMetrics().height();
    return {kHintWidth * line, kHintHeight * line};
}

QSize AmountChart::minimumSizeHint() const {
    const int line = fontMetrics().height();
    return {kLeastWidth * line, kLeastHeight * line};
}

bool AmountChart::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const ChartLayout shown = layout();
    const int index = barAt(shown, int(bars_.size()), help->pos());
    if (index < 0) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), barText(index), this,
                       columnRect(shown, index).toAlignedRect());
    return true;
}

void AmountChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChart(painter, size(), picture(hasFocus() ? focused_ : -1), palette());
}

void AmountChart::keyPressEvent(QKeyEvent* event) {
    const int last = int(bars_.size()) - 1;
    switch (event->key()) {
    case Qt::Key_Left:
        focusBar(std::max(focused_ - 1, 0));
        break;
    case Qt::Key_Right:
        focusBar(std::min(focused_ + 1, last));
        break;
    case Qt::Key_Home:
        focusBar(0);
        break;
    case Qt::Key_End:
        focusBar(last);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void AmountChart::mousePressEvent(QMouseEvent* event) {
    const int index = barAt(layout(), int(bars_.size()), event->position());
    if (index >= 0)
        focusBar(index);
    QWidget::mousePressEvent(event);
}

void AmountChart::focusBar(int index) {
    const int focused = bars_.empty() ? -1 : std::clamp(index, 0, int(bars_.size()) - 1);
    if (focused == focused_)
        return;
    focused_ = focused;
    describeFocus();
    update();
    emit focusedBarChanged(focused_);
}

void AmountChart::describeFocus() {
    const QString description =
        focused_ < 0 ? emptyText_
                     : barLines(bars_[std::size_t(focused_)], months_).join(kDescriptionSeparator);
    if (description == accessibleDescription())
        return;
    setAccessibleDescription(description);
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

} // namespace tokivane
