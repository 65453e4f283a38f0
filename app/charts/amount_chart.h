#pragma once

#include "chart_bars.h"
#include "yen_axis.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace tokivane {

struct ChartLayout;
struct ChartPicture;

// 金額 per day or per month as bars over a yen axis, drawn with the widget's
// palette and font. Pointing at a bar shows what it stands for; Left, Right,
// Home and End move a focused bar, whose description is the widget's
// accessible description.
class AmountChart final : public QWidget {
    Q_OBJECT

  public:
    explicit AmountChart(QWidget* parent = nullptr);

    // The bars in date order, each a day or each a month. The first bar is
    // focused.
    void setBars(std::vector<ChartBar> bars, bool months);
    // Why there are no bars, shown in the middle instead.
    void setEmptyText(const QString& text);

    const YenAxis& axis() const { return axis_; }
    int focusedBar() const { return focused_; }
    // In widget coordinates: where the axis runs from low to high, and a bar.
    QRectF plotRect() const;
    QRectF barRect(int index) const;
    // What a bar stands for, a line for its date, count and amount.
    QString barText(int index) const;

    // The chart at `logicalSize`, drawn at `scale` device pixels per logical
    // one, without the focus outline.
    QImage renderImage(QSize logicalSize, qreal scale) const;
    // Writes the chart as shown to a PNG file, whole or not at all; the
    // reason when nothing was written.
    std::optional<QString> savePng(const QString& path) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void focusedBarChanged(int index);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    ChartLayout layout() const;
    ChartPicture picture(int focused) const;
    void focusBar(int index);
    void describeFocus();

    std::vector<ChartBar> bars_;
    bool months_ = false;
    YenAxis axis_;
    QString emptyText_;
    int focused_ = -1;
};

} // namespace tokivane
