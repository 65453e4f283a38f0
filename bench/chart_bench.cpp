// The 回収予定日 chart with a bar for each of 3,000 days, repainted on an
// offscreen screen; the median beside a 60 Hz frame. Run it again with
// QT_SCALE_FACTOR=2 for a display at 200 %.
#include "amount_chart.h"
#include "stats.h"

#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using namespace std::chrono;

constexpr int kBars = 3'000;
constexpr int kSamples = 51;
const QSize kChartSize{1200, 400};
// One frame of a 60 Hz display.
constexpr double kFrameMs = 1000.0 / 60;

// Every day from 2025 on, weekends marked closed, amounts of both signs and
// of every size up to a few million yen.
std::vector<tokivane::ChartBar> dailyBars() {
    std::vector<tokivane::ChartBar> bars;
    sys_days day{year{2025} / January / 1};
    for (int at = 0; at < kBars; ++at, day += days{1}) {
        const weekday weekDay{day};
        const qint64 yen = qint64(at) * 7919 % 3'000'000 - (at % 37 == 0 ? 1'500'000 : 0);
        bars.push_back({year_month_day{day}, at % 40 + 1, yen * 100,
                        weekDay == Saturday || weekDay == Sunday});
    }
    return bars;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tokivane::AmountChart chart;
    chart.resize(kChartSize);
    chart.setBars(dailyBars(), false);
    chart.show();
    QCoreApplication::processEvents();

    std::vector<double> samples;
    for (int sample = 0; sample < kSamples; ++sample) {
        QElapsedTimer timer;
        timer.start();
        chart.repaint();
        samples.push_back(double(timer.nsecsElapsed()) * 1e-6);
    }
    const double median = tokivane::bench::median(samples);
    const QByteArray what = QStringLiteral("%1 bars, %2x%3 at scale %4, repainted")
                                .arg(kBars)
                                .arg(kChartSize.width())
                                .arg(kChartSize.height())
                                .arg(chart.devicePixelRatioF())
                                .toUtf8();
    std::printf("  %-44s %10.3f ms  target < %.1f ms: %s\n", what.constData(), median, kFrameMs,
                median < kFrameMs ? "met" : "MISSED");
    return 0;
}
