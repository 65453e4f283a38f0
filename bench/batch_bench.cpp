// 一括判定 on long pastes: the real window, offscreen, from the text of a
// paste until its table has been painted; peak memory of a run of the largest
// size; and judging every row again after 実行 gives new ranges. Each size
// runs in a process of its own, so that its peak memory is its own.
//
// A ledger run gives each customer its own closing day and terms, and judges
// again by changing the 回収条件 line; a run of distinct phrases gives every
// row terms of its own; a customers run names ten thousand customers by code,
// their terms in a customer list opened first, and judges again by the line
// and by the way the list counts months.
//
// Usage: tokivane_batch_bench                 (runs the sizes and prints targets)
//        tokivane_batch_bench LINES RUNS KIND (one size, as the figures' source;
//                                              KIND is plain, ledger, distinct
//                                              or customers)
#include "stats.h"

#include "batch_window.h"
#include "closing_day.h"
#include "judging_ranges.h"
#include "memory_form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <QTableView>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace std::chrono;

const tokivane::FixedClock kToday{year{2025} / November / day{15}};
constexpr qint64 kPaintTimeoutMs = 60000;

enum class Kind { Plain, Ledger, Distinct, Customers };
constexpr std::array<const char*, 4> kKindNames{"plain", "ledger", "distinct", "customers"};

struct Size {
    qsizetype lines;
    int runs;
    double targetSeconds;
    Kind kind = Kind::Plain;
};
constexpr Size kSmall{100'000, 5, 0.3};
constexpr Size kLarge{1'000'000, 3, 3.0};
constexpr Size kLedger{1'000'000, 3, 0.6, Kind::Ledger};
constexpr Size kDistinct{1'000'000, 3, 0.6, Kind::Distinct};
constexpr Size kCustomers{1'000'000, 3, 0.5, Kind::Customers};
constexpr int kCustomerCount = 10'000;
constexpr double kPeakTargetMb = 300;
constexpr double kLedgerPeakTargetMb = 250;
constexpr double kJudgeTargetSeconds = 0.05;
constexpr double kLineJudgeTargetSeconds = 0.06;

// Customers' closing days and terms as ledgers write them.
const std::array<std::pair<QString, QString>, 4> kCustomerTerms{{
    {u"20日"_qs, u"20日締め翌月末払い"_qs},
    {u"末"_qs, u"月末締め翌々月10日払い 休日は翌営業日"_qs},
    {u"10"_qs, u"翌月25日"_qs},
    {QString(), QString()},
}};

QString termsCells(qsizetype at, Kind kind) {
    if (kind == Kind::Plain || kind == Kind::Customers)
        return {};
    if (kind == Kind::Distinct)
        return QStringLiteral("\t\t末締め%1日サイト").arg(at);
    const auto& [closing, terms] = kCustomerTerms[static_cast<std::size_t>(at % 4)];
    return u'\t' + closing + u'\t' + terms;
}

// A sales export as pasted from a spreadsheet: a header, slip numbers, dates
// in the forms such files mix, customers, amounts, and now and then a line
// that is empty or holds no date.
QString pastedText(qsizetype lines, Kind kind) {
    static const QStringList customers{u"山田商事"_qs, u"鈴木物産 本社"_qs, u"㈱佐藤"_qs,
                                       u"高橋工業"_qs};
    QString text = kind == Kind::Customers ? u"伝票番号\t日付\t得意先コード\t金額\n"_qs
                   : kind == Kind::Plain   ? u"伝票番号\t日付\t得意先\t金額\n"_qs
                                         : u"伝票番号\t日付\t得意先\t金額\t締日\t支払条件\n"_qs;
    text.reserve(lines * 40);
    sys_days day{year{2025} / January / 1};
    for (qsizetype at = 1; at < lines; ++at) {
        if (at % 7 == 0)
            day += days{1};
        const year_month_day ymd{day};
        const int y = static_cast<int>(ymd.year());
        const unsigned m{ymd.month()};
        const unsigned d{ymd.day()};
        QString date;
        switch (at % 6) {
        case 0:
            date = QString::asprintf("%d/%02u/%02u", y, m, d);
            break;
        case 1:
            date = QString::asprintf("%02d/%02u/%02u", y % 100, m, d);
            break;
        case 2:
            date = QString::asprintf("R%d.%u.%u", y - 2018, m, d);
            break;
        case 3:
            date = QString::asprintf("%d-%02u-%02u", y, m, d);
            break;
        case 4:
            date = QStringLiteral("%1年%2月%3日").arg(y).arg(m).arg(d);
            break;
        default:
            date = QString::asprintf("%d/%u/%u 0:00", y, m, d);
        }
        if (at % 997 == 0)
            date = u"未定"_qs;
        if (at % 1999 == 0) {
            text += u'\n';
            continue;
        }
        const QString customer =
            kind == Kind::Customers
                ? QStringLiteral("%1").arg(at * 7919 % kCustomerCount, 5, 10, QChar(u'0'))
                : customers[at % customers.size()];
        text += QStringLiteral("A-%1\t%2\t%3\t%4%5\n")
                    .arg(at, 7, 10, QChar(u'0'))
                    .arg(date, customer)
                    .arg(at % 9973 * 10)
                    .arg(termsCells(at, kind));
    }
    return text;
}

// A customer master as exported: a code, a name and terms in four columns.
QString customerListText() {
    static const QStringList closings{u"10"_qs, u"15"_qs, u"20"_qs, u"25"_qs, u"99"_qs, u"末"_qs};
    static const QStringList payDays{u"10"_qs, u"20"_qs, u"99"_qs};
    QString text = u"得意先コード,得意先名,締日,回収月,回収日,休日区分\n"_qs;
    for (int code = 0; code < kCustomerCount; ++code)
        text += QStringLiteral("%1,得意先%2,%3,%4,%5,%6\n")
                    .arg(code, 5, 10, QChar(u'0'))
                    .arg(code)
                    .arg(closings[code % closings.size()])
                    .arg(1 + code % 2)
                    .arg(payDays[code % payDays.size()])
                    .arg(code % 3);
    return text;
}

std::variant<tokivane::JudgingBasis, QString> basisFor(const QString& processing) {
    tokivane::MemoryForm form(processing, processing, tokivane::kDefaultClosingDayIndex);
    return tokivane::judgingBasisOf(form, kToday);
}

// Remembers that the table's viewport has painted.
class PaintWatch final : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
    bool painted = false;
};

[[noreturn]] void fail(const char* message) {
    std::fprintf(stderr, "tokivane_batch_bench: %s\n", message);
    std::exit(1);
}

void waitForPaint(const PaintWatch& watch) {
    QElapsedTimer timer;
    timer.start();
    while (!watch.painted) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (timer.elapsed() > kPaintTimeoutMs)
            fail("the table was not painted");
    }
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// One size in this process: prints "shown SECONDS", "peak MB" and "judge
// SECONDS", medians over the runs. The first run is the one that sets the
// peak; a reading replaces the table of the run before.
int runOneSize(qsizetype lines, int runs, Kind kind) {
    const QString text = pastedText(lines, kind);
    QString processing = u"25/11/15"_qs;
    tokivane::BatchWindow window(kToday, [&processing] { return basisFor(processing); });
    window.show();
    auto* view = window.findChild<QTableView*>(u"batchTable"_qs);
    if (!view)
        fail("no table in the window");
    PaintWatch watch;
    view->viewport()->installEventFilter(&watch);
    QCoreApplication::processEvents();
    if (kind == Kind::Customers)
        window.openText(customerListText());

    std::vector<double> shown;
    for (int run = 0; run < runs; ++run) {
        watch.painted = false;
        QElapsedTimer timer;
        timer.start();
        window.openText(text);
        waitForPaint(watch);
        shown.push_back(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
    }
    if (view->model()->rowCount() != lines - 1)
        fail("the table does not hold every line");
    const double peak = peakMegabytes();

    // A ledger is judged again by its 回収条件 line, other pastes by 実行.
    auto* holidays = window.findChild<QComboBox*>(u"holidayBox"_qs);
    if (!holidays)
        fail("no 回収条件 line in the window");
    std::vector<double> judged;
    for (int run = 0; run < runs; ++run) {
        processing = run % 2 == 0 ? u"25/12/31"_qs : u"25/11/15"_qs;
        watch.painted = false;
        QElapsedTimer timer;
        timer.start();
        if (kind == Kind::Plain)
            window.judgeAgain();
        else
            holidays->setCurrentIndex(run % 2 == 0 ? 1 : 0);
        waitForPaint(watch);
        judged.push_back(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
    }
    // The list read again with its months counted the other way.
    std::vector<double> counted;
    auto* counting = window.findChild<QComboBox*>(u"monthCountingBox"_qs);
    for (int run = 0; kind == Kind::Customers && run < runs; ++run) {
        watch.painted = false;
        QElapsedTimer timer;
        timer.start();
        counting->setCurrentIndex(run % 2 == 0 ? 1 : 0);
        waitForPaint(watch);
        counted.push_back(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
    }
    std::printf("shown %.6f\npeak %.1f\njudge %.6f\n", tokivane::bench::median(shown), peak,
                tokivane::bench::median(judged));
    if (!counted.empty())
        std::printf("count %.6f\n", tokivane::bench::median(counted));
    return 0;
}

struct Figures {
    double shown = -1;
    double peak = -1;
    double judge = -1;
    double count = -1;
};

Figures runChild(const QString& program, const Size& size) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, {QString::number(size.lines), QString::number(size.runs),
                          QString::fromLatin1(kKindNames[static_cast<std::size_t>(size.kind)])});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        fail("a run of one size failed");
    Figures figures;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() != 2)
            continue;
        const double value = parts[1].toDouble();
        if (parts[0] == "shown")
            figures.shown = value;
        else if (parts[0] == "peak")
            figures.peak = value;
        else if (parts[0] == "judge")
            figures.judge = value;
        else if (parts[0] == "count")
            figures.count = value;
    }
    return figures;
}

void line(const char* what, double value, double target, const char* unit) {
    std::printf("  %-44s %10.3f %s  target < %g %s: %s\n", what, value, unit, target, unit,
                value < target ? "met" : "MISSED");
}

int runAllSizes(const QString& program) {
    std::printf("一括判定, offscreen, median of runs (wall time)\n");
    const Figures small = runChild(program, kSmall);
    const Figures large = runChild(program, kLarge);
    line("100,000 lines read, judged and shown", small.shown, kSmall.targetSeconds, "s");
    line("1,000,000 lines read, judged and shown", large.shown, kLarge.targetSeconds, "s");
    line("peak memory of the 1,000,000-line run", large.peak, kPeakTargetMb, "MB");
    line("1,000,000 rows judged again after 実行", large.judge * 1e3, kJudgeTargetSeconds * 1e3,
         "ms");
    const Figures ledger = runChild(program, kLedger);
    line("1,000,000 ledger lines with terms, shown", ledger.shown, kLedger.targetSeconds, "s");
    line("peak memory of the ledger run", ledger.peak, kLedgerPeakTargetMb, "MB");
    line("ledger judged again after the line changed", ledger.judge * 1e3,
         kLineJudgeTargetSeconds * 1e3, "ms");
    const Figures distinct = runChild(program, kDistinct);
    line("1,000,000 distinct phrases, shown", distinct.shown, kDistinct.targetSeconds, "s");
    line("peak memory of the distinct-phrase run", distinct.peak, kLedgerPeakTargetMb, "MB");
    line("distinct phrases judged again after the line", distinct.judge * 1e3,
         kLineJudgeTargetSeconds * 1e3, "ms");
    const Figures joined = runChild(program, kCustomers);
    line("1,000,000 lines joined to 10,000 customers", joined.shown, kCustomers.targetSeconds, "s");
    line("peak memory of the customers run", joined.peak, kLedgerPeakTargetMb, "MB");
    line("customers judged again after the line changed", joined.judge * 1e3,
         kLineJudgeTargetSeconds * 1e3, "ms");
    line("after 回収月の数え方 changed", joined.count * 1e3, kLineJudgeTargetSeconds * 1e3, "ms");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4) {
        const QByteArray name = args[3].toLatin1();
        const auto kind =
            std::ranges::find_if(kKindNames, [&](const char* known) { return name == known; }) -
            kKindNames.begin();
        if (kind >= static_cast<std::ptrdiff_t>(kKindNames.size()))
            fail("KIND is plain, ledger, distinct or customers");
        return runOneSize(args[1].toLongLong(), args[2].toInt(), static_cast<Kind>(kind));
    }
    return runAllSizes(QCoreApplication::applicationFilePath());
}
