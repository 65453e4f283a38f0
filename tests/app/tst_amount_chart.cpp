// The chart of amounts on rendered pixels: bars at the height their amounts
// give on the axis, below the zero line when negative, the text for the bar
// under the pointer or focused by the keys, the line of an empty chart, and
// readable text under a light palette and a dark one.
#include "amount_chart.h"
#include "chart_bars.h"
#include "form_font.h"
#include "pixels.h"

#include <QApplication>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using namespace tokivane;
using namespace std::chrono;

namespace {

constexpr QSize kChartSize(640, 320);
// The WCAG AA minimum for text, and for a bar as a shape.
constexpr double kLeastTextContrast = 4.5;
constexpr double kLeastBarContrast = 3.0;
// A row of fillRect's rounding either side.
constexpr double kPixelSlack = 2;

// 1 to 5 December 2025, Monday to Friday: the tallest 300万円, one -50万円.
std::vector<ChartBar> weekOfBars() {
    return {{2025y / December / 1d, 4, 120'000'000, false},
            {2025y / December / 2d, 2, 300'000'000, false},
            {2025y / December / 3d, 1, -50'000'000, false},
            {2025y / December / 4d, 0, 0, false},
            {2025y / December / 5d, 12, 123'450'000, false}};
}

// What a desktop in a dark style gives the application; its highlight on
// that ground is too faint for a bar as it stands.
QPalette darkPalette() {
    const QColor ground(45, 45, 45);
    QPalette dark(ground, ground);
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Highlight, QColor(21, 83, 158));
    return dark;
}

// The rows from the first to the last pixel of `colour` in one column.
struct Run {
    int x = -1;
    int top = -1;
    int bottom = -1;
    int height() const { return x < 0 ? 0 : bottom - top + 1; }
};

std::vector<Run> columnRuns(const QImage& image, QRgb colour) {
    std::vector<Run> runs;
    for (int x = 0; x < image.width(); ++x) {
        Run run;
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) == colour) {
                if (run.x < 0)
                    run = {x, y, y};
                run.bottom = y;
            }
        if (run.x >= 0)
            runs.push_back(run);
    }
    return runs;
}

QRect scaled(QRectF logical, qreal scale) {
    return QRectF(logical.topLeft() * scale, logical.size() * scale).toAlignedRect();
}

void prepare(AmountChart& chart) {
    chart.setFont(formFont());
    chart.resize(kChartSize);
}

} // namespace

class TestAmountChart : public QObject {
    Q_OBJECT

  private slots:
    void barsStandForTheirAmounts_data();
    void barsStandForTheirAmounts();
    void keysMoveTheFocusedBar();
    void tooltipDescribesTheBarUnderThePointer_data();
    void tooltipDescribesTheBarUnderThePointer();
    void emptyChartSaysWhyInTheMiddle();
    void readsUnderEachPalette_data();
    void readsUnderEachPalette();
    void savesThePictureWholeOrNotAtAll();
};

void TestAmountChart::barsStandForTheirAmounts_data() {
    QTest::addColumn<qreal>("scale");
    QTest::newRow("scale 1") << qreal(1);
    QTest::newRow("scale 2") << qreal(2);
}

void TestAmountChart::barsStandForTheirAmounts() {
    QFETCH(qreal, scale);
    AmountChart chart;
    prepare(chart);
    QPalette palette = chart.palette();
    const QColor bar(0, 90, 180);
    palette.setColor(QPalette::Highlight, bar);
    chart.setPalette(palette);
    chart.setBars(weekOfBars(), false);
    const QImage picture = chart.renderImage(chart.size(), scale);

    const std::vector<Run> runs = columnRuns(picture, bar.rgb());
    QVERIFY(!runs.empty());
    const Run tallest = *std::ranges::max_element(runs, {}, &Run::height);
    const Run deepest = *std::ranges::max_element(runs, {}, &Run::bottom);
    QVERIFY(scaled(chart.barRect(1), scale).contains(tallest.x, tallest.top));
    QVERIFY(scaled(chart.barRect(2), scale).contains(deepest.x, deepest.bottom));

    // The axis runs -50万円 to 300万円 over the plot's height.
    const YenAxis& axis = chart.axis();
    QCOMPARE(axis.low, -50'000'000);
    QCOMPARE(axis.high, 300'000'000);
    const double perHundredth = chart.plotRect().height() * scale / double(axis.high - axis.low);
    QCOMPARE_LE(std::abs(tallest.height() - 300'000'000 * perHundredth), kPixelSlack);
    QCOMPARE_LE(std::abs(deepest.height() - 50'000'000 * perHundredth), kPixelSlack);
    // The negative bar hangs from where the positive ones stand.
    QCOMPARE_LE(std::abs(deepest.top - (tallest.bottom + 1)), 1);
}

void TestAmountChart::keysMoveTheFocusedBar() {
    AmountChart chart;
    prepare(chart);
    chart.setBars(weekOfBars(), false);
    chart.show();
    chart.setFocus();
    QSignalSpy moved(&chart, &AmountChart::focusedBarChanged);
    QCOMPARE(chart.focusedBar(), 0);
    QCOMPARE(chart.accessibleDescription(), u"2025年12月1日（月）、件数 4、金額 1,200,000円");

    QTest::keyClick(&chart, Qt::Key_Left);
    QCOMPARE(chart.focusedBar(), 0);
    QCOMPARE(moved.count(), 0);
    QTest::keyClick(&chart, Qt::Key_Right);
    QCOMPARE(chart.focusedBar(), 1);
    QCOMPARE(chart.accessibleDescription(), u"2025年12月2日（火）、件数 2、金額 3,000,000円");
    QTest::keyClick(&chart, Qt::Key_End);
    QCOMPARE(chart.accessibleDescription(), u"2025年12月5日（金）、件数 12、金額 1,234,500円");
    QTest::keyClick(&chart, Qt::Key_Right);
    QTest::keyClick(&chart, Qt::Key_Home);
    QCOMPARE(chart.focusedBar(), 0);
    QCOMPARE(moved.count(), 3);
    QCOMPARE(moved.at(1).at(0).toInt(), 4);
}

void TestAmountChart::tooltipDescribesTheBarUnderThePointer_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<qint64>("hundredths");
    QTest::addColumn<bool>("months");
    QTest::addColumn<QString>("tip");

    QTest::newRow("a weekday") << QDate(2025, 12, 5) << 12LL << 123'450'000LL << false
                               << "2025年12月5日（金）\n件数 12\n金額 1,234,500円";
    QTest::newRow("a holiday, with sen") << QDate(2025, 11, 24) << 1LL << 5'050LL << false
                                         << "2025年11月24日（月）振替休日\n件数 1\n金額 50.50円";
    QTest::newRow("a month below zero")
        << QDate(2025, 12, 1) << 30LL << -150'000LL << true << "2025年12月\n件数 30\n金額 -1,500円";
}

// The bar between two others, so that the pointer picks out its own.
void TestAmountChart::tooltipDescribesTheBarUnderThePointer() {
    QFETCH(QDate, date);
    QFETCH(qint64, count);
    QFETCH(qint64, hundredths);
    QFETCH(bool, months);
    QFETCH(QString, tip);
    const sys_days day{year{date.year()} / month{unsigned(date.month())} /
                       std::chrono::day{unsigned(date.day())}};
    const auto neighbour = [](sys_days at) {
        return ChartBar{year_month_day{at}, 7, 700'000, false};
    };
    const int apart = months ? 31 : 1;
    AmountChart chart;
    prepare(chart);
    chart.setBars({neighbour(day - days{apart}),
                   {year_month_day{day}, count, hundredths, false},
                   neighbour(day + days{apart})},
                  months);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));

    const QPoint pointer(int(chart.barRect(1).center().x()), int(chart.plotRect().center().y()));
    QHelpEvent help(QEvent::ToolTip, pointer, chart.mapToGlobal(pointer));
    QApplication::sendEvent(&chart, &help);
    QCOMPARE(QToolTip::text(), tip);
    QToolTip::hideText();
}

void TestAmountChart::emptyChartSaysWhyInTheMiddle() {
    AmountChart chart;
    prepare(chart);
    chart.setBars({}, false);
    const QString why = QStringLiteral("金額を読めた行がありません");
    chart.setEmptyText(why);
    QCOMPARE(chart.accessibleDescription(), why);

    const QImage picture = chart.renderImage(chart.size(), 1);
    const QRect ink = pixels::inkBounds(picture);
    QVERIFY(!ink.isEmpty());
    const QPoint offCentre = ink.center() - picture.rect().center();
    const int line = chart.fontMetrics().height();
    QCOMPARE_LE(std::abs(offCentre.x()), line);
    QCOMPARE_LE(std::abs(offCentre.y()), line);
    QCOMPARE_GE(ink.width(), chart.fontMetrics().horizontalAdvance(why) * 9 / 10);
}

void TestAmountChart::readsUnderEachPalette_data() {
    QTest::addColumn<bool>("dark");
    QTest::newRow("default palette") << false;
    QTest::newRow("dark palette") << true;
}

// The tick labels, a weekday's date label and a Saturday's on its band, and
// a bar against the ground.
void TestAmountChart::readsUnderEachPalette() {
    QFETCH(bool, dark);
    AmountChart chart;
    prepare(chart);
    if (dark)
        chart.setPalette(darkPalette());
    std::vector<ChartBar> bars = weekOfBars();
    bars.push_back({2025y / December / 6d, 0, 0, true});
    bars.push_back({2025y / December / 7d, 0, 0, true});
    chart.setBars(bars, false);
    const QImage picture = chart.renderImage(chart.size(), 1);

    const QRectF plot = chart.plotRect();
    const double pitch = plot.width() / double(bars.size());
    // A line's height under the zero line, clear of it, within the band.
    const auto labelArea = [&](int index) {
        return QRectF(plot.left() + index * pitch, plot.bottom() + 2, pitch,
                      chart.fontMetrics().height())
            .toAlignedRect();
    };
    const QRect ticks = QRectF(0, 0, plot.left() - 1, chart.height()).toAlignedRect();
    QCOMPARE_GE(pixels::textContrast(picture, ticks), kLeastTextContrast);
    QCOMPARE_GE(pixels::textContrast(picture, labelArea(0)), kLeastTextContrast);
    QCOMPARE_GE(pixels::textContrast(picture, labelArea(5)), kLeastTextContrast);

    const QColor ground = chart.palette().color(QPalette::Base);
    const QColor bar = picture.pixelColor(chart.barRect(1).center().toPoint());
    QCOMPARE_GE(pixels::contrastRatio(bar, ground), kLeastBarContrast);
}

void TestAmountChart::savesThePictureWholeOrNotAtAll() {
    AmountChart chart;
    prepare(chart);
    chart.setBars(weekOfBars(), false);
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("chart.png"));
    QCOMPARE(chart.savePng(saved), std::nullopt);
    QCOMPARE(QImage(saved).size(), chart.size() * chart.devicePixelRatioF());

    const QString unwritable = dir.filePath(QStringLiteral("missing/chart.png"));
    const std::optional<QString> why = chart.savePng(unwritable);
    QVERIFY(why && why->startsWith(u"保存できません"));
    QVERIFY(!QFile::exists(unwritable));
}

QTEST_MAIN(TestAmountChart)
#include "tst_amount_chart.moc"
