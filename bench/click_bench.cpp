// Time from a click on 実行 until all 32 output fields have been repainted, in
// the real window on a real X server. A bench-only program: it builds the same
// Form1 as main.cpp, with a fixed day, and watches the fields' paint events.
//
// Usage: tokivane_click_bench RUNS   (DISPLAY names the server)
#include "stats.h"

#include "form1.h"
#include "output_fields.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kWarmUpRuns = 10;
constexpr qint64 kPaintTimeoutMs = 5000;

// Remembers which watched widgets have received a paint event.
class PaintWatch final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted_.insert(watched);
        return false;
    }
    void reset() { painted_.clear(); }
    qsizetype count() const { return painted_.size(); }

  private:
    QSet<QObject*> painted_;
};

[[noreturn]] void fail(const char* message) {
    std::fprintf(stderr, "tokivane_click_bench: %s\n", message);
    std::exit(1);
}

// Runs the event loop flat out until `count` watched widgets have painted.
// The paint events come from one repaint of the window, which ends with Qt
// flushing its backing store to the window, so the timing includes that too.
void waitForPaints(const PaintWatch& watch, qsizetype count) {
    QElapsedTimer timer;
    timer.start();
    while (watch.count() < count) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (timer.elapsed() > kPaintTimeoutMs)
            fail("the output fields were not repainted");
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: tokivane_click_bench RUNS\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    QApplication app(argc, argv);
    using namespace std::chrono;
    tokivane::FixedClock clock{year{2025} / November / day{15}};
    tokivane::Form1 form(clock);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        fail("the window was not shown");

    form.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("25/02/28"));
    auto* execute = form.findChild<QPushButton*>(QStringLiteral("Command1"));
    PaintWatch watch;
    std::vector<QLabel*> fields;
    for (const auto field : tokivane::kAllOutputFields) {
        fields.push_back(form.findChild<QLabel*>(tokivane::fieldName(field)));
        fields.back()->installEventFilter(&watch);
    }
    const auto fieldCount = static_cast<qsizetype>(fields.size());

    std::vector<double> handled, repainted;
    for (int run = 0; run < kWarmUpRuns + runs; ++run) {
        // A label ignores a caption equal to the one it shows, so empty every
        // field first; then the click changes, and repaints, all of them.
        watch.reset();
        for (auto* field : fields)
            field->setText(QString());
        if (run > 0)
            waitForPaints(watch, fieldCount);

        watch.reset();
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(execute, Qt::LeftButton);
        const qint64 clicked = timer.nsecsElapsed();
        waitForPaints(watch, fieldCount);
        const qint64 done = timer.nsecsElapsed();

        for (const auto* field : fields) {
            if (field->text().isEmpty())
                fail("Execute left an output field empty");
        }
        if (run >= kWarmUpRuns) {
            handled.push_back(static_cast<double>(clicked) / 1e6);
            repainted.push_back(static_cast<double>(done) / 1e6);
        }
    }

    using tokivane::bench::median;
    using tokivane::bench::percentile;
    std::printf("Click on 実行 until all %lld fields are repainted, %d runs\n",
                static_cast<long long>(fieldCount), runs);
    std::printf("  %-34s %8.3f ms  (p10 %.3f, p90 %.3f)\n", "click to all fields repainted",
                median(repainted), percentile(repainted, 0.1), percentile(repainted, 0.9));
    std::printf("  %-34s %8.3f ms  (p10 %.3f, p90 %.3f)\n", "of which the click handler",
                median(handled), percentile(handled, 0.1), percentile(handled, 0.9));
    return 0;
}
