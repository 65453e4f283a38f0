// 一括判定 on long pastes: the real window, offscreen, from the text of a
// paste until its table has been painted; peak memory of a run of the largest
// size; and judging every row again after 実行 gives new ranges. Each size
// runs in a process of its own, so that its peak memory is its own.
//
// A ledger run gives each customer its own closing day and terms, and judges
// again by changing the 回収条件 line; a run of distinct phrases gives every
// row terms of its own; a customers run names ten thousand customers by code,
// their terms in a customer list opened first, and judges again by the line
// and by the way the list counts months. A totals run is a ledger of a few
// years with amounts written three ways and a second column of them; it
// times 集計 from its tab being chosen, and again after each change.
//
// Usage: tokivane_batch_bench                 (runs the sizes and prints targets)
//        tokivane_batch_bench LINES RUNS KIND (one size, as the figures' source;
//                                              KIND is plain, ledger, distinct,
//                                              customers or totals)
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
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono;

const tokivane::FixedClock kToday{year{2025} / November / day{15}};
constexpr qint64 kPaintTimeoutMs = 60000;

enum class Kind { Plain, Ledger, Distinct, Customers, Totals };
constexpr std::array<const char*, 5> kKindNames{"plain", "ledger", "distinct", "customers",
                                                "totals"};

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
constexpr Size kTotals{1'000'000, 3, 0.6, Kind::Totals};
constexpr int kCustomerCount = 10'000;
constexpr double kPeakTargetMb = 300;
constexpr double kLedgerPeakTargetMb = 250;
constexpr double kJudgeTargetSeconds = 0.05;
constexpr double kLineJudgeTargetSeconds = 0.06;
constexpr double kTotalsTargetSeconds = 0.15;
constexpr double kRetotalTargetSeconds = 0.06;
constexpr double kAmountsTargetMb = 16;
// A new day every so many lines: other pastes run for centuries, a totals
// ledger for under three years, within the years whose holidays are known.
constexpr qsizetype kLinesPerDay = 7;
constexpr qsizetype kTotalsLinesPerDay = 1000;
// 集計's tab, and 今回請求 among its 対象 (after すべての行 and 前回請求).
constexpr int kTotalsTab = 2;
constexpr int kThisInvoiceTarget = 2;
const QString kTaxHeader = u"消費税"_qs;

// Customers' closing days and terms as ledgers write them.
const std::array<std::pair<QString, QString>, 4> kCustomerTerms{{
    {u"20日"_qs, u"20日締め翌月末払い"_qs},
    {u"末"_qs, u"月末締め翌々月10日払い 休日は翌営業日"_qs},
    {u"10"_qs, u"翌月25日"_qs},
    {QString(), QString()},
}};

// The amount as sales exports write it; a totals ledger mixes in "1,234"
// and "¥1,234" and adds its tax.
QString amountCells(qsizetype at, Kind kind) {
    const qint64 yen = at % 9973 * 10;
    if (kind != Kind::Totals)
        return QString::number(yen);
    static const QLocale grouped = [] {
        QLocale locale = QLocale::c();
        locale.setNumberOptions({});
        return locale;
    }();
    const QString amount = at % 3 == 0   ? QString::number(yen)
                           : at % 3 == 1 ? grouped.toString(yen)
                                         : u'¥' + grouped.toString(yen);
    return amount + u'\t' + QString::number(yen / 10);
}

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
                   : kind == Kind::Totals ? u"伝票番号\t日付\t得意先\t金額\t"_qs + kTaxHeader +
                                                u"\t締日\t支払条件\n"_qs
                                          : u"伝票番号\t日付\t得意先\t金額\t締日\t支払条件\n"_qs;
    const qsizetype linesPerDay = kind == Kind::Totals ? kTotalsLinesPerDay : kLinesPerDay;
    text.reserve(lines * 40);
    sys_days day{year{2025} / January / 1};
    for (qsizetype at = 1; at < lines; ++at) {
        if (at % linesPerDay == 0)
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
                    .arg(amountCells(at, kind), termsCells(at, kind));
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

// Remembers that a widget has painted.
class PaintWatch final : public QObject {
  public:
    explicit PaintWatch(QWidget& widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
    bool painted = false;
};
using Watches = std::vector<PaintWatch*>;

[[noreturn]] void fail(const char* message) {
    std::fprintf(stderr, "tokivane_batch_bench: %s\n", message);
    std::exit(1);
}

template <typename Widget> Widget& childOf(const QWidget& window, const char* name) {
    auto* child = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!child)
        fail("a widget is missing from the window");
    return *child;
}

// The wall time from `change` until every watched widget has painted.
double secondsUntilPainted(const Watches& watches, const std::function<void()>& change) {
    for (PaintWatch* watch : watches)
        watch->painted = false;
    QElapsedTimer timer;
    timer.start();
    change();
    while (!std::ranges::all_of(watches, &PaintWatch::painted)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (timer.elapsed() > kPaintTimeoutMs)
            fail("the window was not painted");
    }
    return static_cast<double>(timer.nsecsElapsed()) * 1e-9;
}

// The median of `runs` timings of `change`, told which run it is.
double medianUntilPainted(const Watches& watches, int runs,
                          const std::function<void(int)>& change) {
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run)
        samples.push_back(secondsUntilPainted(watches, [&] { change(run); }));
    return tokivane::bench::median(samples);
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// What the process holds now, from the second field of /proc/self/statm.
double residentMegabytes() {
    QFile statm(u"/proc/self/statm"_qs);
    if (!statm.open(QIODevice::ReadOnly))
        fail("the resident size cannot be read");
    const double pages = statm.readAll().split(' ').value(1).toDouble();
    return pages * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// 集計 first shown after the ledger was read, judged and shown: "totals"
// (median, the ledger read again while another tab is shown between runs)
// and what the first showing keeps resident; then re-totalled after 対象, the
// 回収条件 line and the 金額 column each changed; last, how far all this
// raised the peak of reading and judging.
void runTotals(tokivane::BatchWindow& window, const QString& text, int runs) {
    auto& tabs = childOf<QTabWidget>(window, "batchTabs");
    PaintWatch chart(childOf<QWidget>(window, "totalsChart"));
    PaintWatch due(*childOf<QTableView>(window, "dueTotalsTable").viewport());
    const Watches watches{&chart, &due};
    const double peakBefore = peakMegabytes();
    const double residentBefore = residentMegabytes();
    std::vector<double> shown{
        secondsUntilPainted(watches, [&] { tabs.setCurrentIndex(kTotalsTab); })};
    std::printf("totalsResident %.1f\n", residentMegabytes() - residentBefore);
    for (int run = 1; run < runs; ++run) {
        tabs.setCurrentIndex(0);
        window.openText(text);
        shown.push_back(secondsUntilPainted(watches, [&] { tabs.setCurrentIndex(kTotalsTab); }));
    }
    std::printf("totals %.6f\n", tokivane::bench::median(shown));

    // Each change there and back: 2 × runs timings.
    auto& target = childOf<QComboBox>(window, "targetBox");
    std::printf("retarget %.6f\n", medianUntilPainted(watches, 2 * runs, [&](int) {
                    target.setCurrentIndex(target.currentIndex() == 0 ? kThisInvoiceTarget : 0);
                }));
    auto& holidays = childOf<QComboBox>(window, "holidayBox");
    std::printf("reline %.6f\n", medianUntilPainted(watches, 2 * runs, [&](int) {
                    holidays.setCurrentIndex(1 - holidays.currentIndex());
                }));
    auto& amounts = childOf<QComboBox>(window, "amountBox");
    const std::array<int, 2> columns{amounts.findText(kTaxHeader), amounts.currentIndex()};
    if (columns[0] < 0)
        fail("no 消費税 among the amount columns");
    std::printf("reamount %.6f\n", medianUntilPainted(watches, 2 * runs, [&](int run) {
                    amounts.setCurrentIndex(columns[std::size_t(run % 2)]);
                    emit amounts.activated(amounts.currentIndex());
                }));
    std::printf("totalsPeak %.1f\n", peakMegabytes() - peakBefore);
}

// One size in this process: prints "shown SECONDS", "peak MB" and "judge
// SECONDS", medians over the runs, and for a totals run the figures of 集計.
// The first run is the one that sets the peak; a reading replaces the table
// of the run before.
int runOneSize(qsizetype lines, int runs, Kind kind) {
    const QString text = pastedText(lines, kind);
    QString processing = u"25/11/15"_qs;
    tokivane::BatchWindow window(kToday, [&processing] { return basisFor(processing); });
    window.show();
    auto& view = childOf<QTableView>(window, "batchTable");
    PaintWatch table(*view.viewport());
    QCoreApplication::processEvents();
    if (kind == Kind::Customers)
        window.openText(customerListText());

    const double shown = medianUntilPainted({&table}, runs, [&](int) { window.openText(text); });
    if (view.model()->rowCount() != lines - 1)
        fail("the table does not hold every line");
    std::printf("shown %.6f\npeak %.1f\n", shown, peakMegabytes());

    // A ledger is judged again by its 回収条件 line, other pastes by 実行.
    auto& holidays = childOf<QComboBox>(window, "holidayBox");
    std::printf("judge %.6f\n", medianUntilPainted({&table}, runs, [&](int run) {
                    processing = run % 2 == 0 ? u"25/12/31"_qs : u"25/11/15"_qs;
                    if (kind == Kind::Plain)
                        window.judgeAgain();
                    else
                        holidays.setCurrentIndex(run % 2 == 0 ? 1 : 0);
                }));
    // The list read again with its months counted the other way.
    if (kind == Kind::Customers) {
        auto& counting = childOf<QComboBox>(window, "monthCountingBox");
        std::printf("count %.6f\n", medianUntilPainted({&table}, runs, [&](int run) {
                        counting.setCurrentIndex(run % 2 == 0 ? 1 : 0);
                    }));
    }
    if (kind == Kind::Totals)
        runTotals(window, text, runs);
    return 0;
}

// A child's figures by name; a figure it did not print is -1.
class Figures {
  public:
    explicit Figures(const QByteArray& output) {
        for (const QByteArray& line : output.split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 2)
                values_[parts[0]] = parts[1].toDouble();
        }
    }
    double operator[](const char* name) const {
        const auto found = values_.find(name);
        return found == values_.end() ? -1 : found->second;
    }

  private:
    std::map<QByteArray, double> values_;
};

Figures runChild(const QString& program, const Size& size) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, {QString::number(size.lines), QString::number(size.runs),
                          QString::fromLatin1(kKindNames[static_cast<std::size_t>(size.kind)])});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        fail("a run of one size failed");
    return Figures(child.readAllStandardOutput());
}

void line(const char* what, double value, double target, const char* unit) {
    std::printf("  %-44s %10.3f %s  target < %g %s: %s\n", what, value, unit, target, unit,
                value < target ? "met" : "MISSED");
}

int runAllSizes(const QString& program) {
    std::printf("一括判定, offscreen, median of runs (wall time)\n");
    const Figures small = runChild(program, kSmall);
    const Figures large = runChild(program, kLarge);
    line("100,000 lines read, judged and shown", small["shown"], kSmall.targetSeconds, "s");
    line("1,000,000 lines read, judged and shown", large["shown"], kLarge.targetSeconds, "s");
    line("peak memory of the 1,000,000-line run", large["peak"], kPeakTargetMb, "MB");
    line("1,000,000 rows judged again after 実行", large["judge"] * 1e3, kJudgeTargetSeconds * 1e3,
         "ms");
    const Figures ledger = runChild(program, kLedger);
    line("1,000,000 ledger lines with terms, shown", ledger["shown"], kLedger.targetSeconds, "s");
    line("peak memory of the ledger run", ledger["peak"], kLedgerPeakTargetMb, "MB");
    line("ledger judged again after the line changed", ledger["judge"] * 1e3,
         kLineJudgeTargetSeconds * 1e3, "ms");
    const Figures distinct = runChild(program, kDistinct);
    line("1,000,000 distinct phrases, shown", distinct["shown"], kDistinct.targetSeconds, "s");
    line("peak memory of the distinct-phrase run", distinct["peak"], kLedgerPeakTargetMb, "MB");
    line("distinct phrases judged again after the line", distinct["judge"] * 1e3,
         kLineJudgeTargetSeconds * 1e3, "ms");
    const Figures joined = runChild(program, kCustomers);
    line("1,000,000 lines joined to 10,000 customers", joined["shown"], kCustomers.targetSeconds,
         "s");
    line("peak memory of the customers run", joined["peak"], kLedgerPeakTargetMb, "MB");
    line("customers judged again after the line changed", joined["judge"] * 1e3,
         kLineJudgeTargetSeconds * 1e3, "ms");
    line("after 回収月の数え方 changed", joined["count"] * 1e3, kLineJudgeTargetSeconds * 1e3,
         "ms");

    std::printf("集計 of a ledger with amounts, offscreen, median of runs (wall time)\n");
    const Figures totals = runChild(program, kTotals);
    line("1,000,000 ledger lines with amounts, shown", totals["shown"], kTotals.targetSeconds, "s");
    line("集計 chosen until its chart and table painted", totals["totals"] * 1e3,
         kTotalsTargetSeconds * 1e3, "ms");
    line("resident memory added by the first 集計", totals["totalsResident"], kAmountsTargetMb,
         "MB");
    line("peak memory added by 集計 and its changes", totals["totalsPeak"], kAmountsTargetMb, "MB");
    line("re-totalled after 対象 changed", totals["retarget"] * 1e3, kRetotalTargetSeconds * 1e3,
         "ms");
    line("re-judged and re-totalled after the line", totals["reline"] * 1e3,
         kRetotalTargetSeconds * 1e3, "ms");
    line("re-totalled after another 金額 column", totals["reamount"] * 1e3,
         kRetotalTargetSeconds * 1e3, "ms");
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
            fail("KIND is plain, ledger, distinct, customers or totals");
        return runOneSize(args[1].toLongLong(), args[2].toInt(), static_cast<Kind>(kind));
    }
    return runAllSizes(QCoreApplication::applicationFilePath());
}
