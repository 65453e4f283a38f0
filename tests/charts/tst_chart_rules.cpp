// What a chart of amounts shows, without widgets: the yen axis and its
// labels, amounts as text, days added into months, and when days give way to
// months.
#include "chart_bars.h"
#include "yen_axis.h"
#include "yen_text.h"

#include <QDate>
#include <QTest>
#include <limits>

using namespace tokivane;
using namespace std::chrono;

namespace {

constexpr qint64 kMost = std::numeric_limits<qint64>::max();
constexpr qint64 kLeast = std::numeric_limits<qint64>::min();

year_month_day dateOf(const QString& iso) {
    const QDate date = QDate::fromString(iso, Qt::ISODate);
    return year{date.year()} / month{unsigned(date.month())} / day{unsigned(date.day())};
}

// "2025-12-30 2 150000": a day's date, count and hundredths.
std::vector<ChartBar> barsOf(const QStringList& lines) {
    std::vector<ChartBar> bars;
    for (const QString& line : lines) {
        const QStringList parts = line.split(u' ');
        bars.push_back({dateOf(parts[0]), parts[1].toLongLong(), parts[2].toLongLong(), false});
    }
    return bars;
}

QStringList linesOf(const std::vector<ChartBar>& bars) {
    QStringList lines;
    for (const ChartBar& bar : bars) {
        const QDate date(int(bar.date.year()), int(unsigned(bar.date.month())),
                         int(unsigned(bar.date.day())));
        lines.append(QStringLiteral("%1 %2 %3")
                         .arg(date.toString(Qt::ISODate))
                         .arg(bar.count)
                         .arg(bar.hundredths));
    }
    return lines;
}

} // namespace

class TestChartRules : public QObject {
    Q_OBJECT

  private slots:
    void axis_data();
    void axis();
    void amountTexts_data();
    void amountTexts();
    void monthlyBars_data();
    void monthlyBars();
    void wantsMonths_data();
    void wantsMonths();
};

void TestChartRules::axis_data() {
    QTest::addColumn<qint64>("least");
    QTest::addColumn<qint64>("most");
    QTest::addColumn<qint64>("step");
    QTest::addColumn<qint64>("low");
    QTest::addColumn<qint64>("high");
    QTest::addColumn<bool>("manYen");
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("no amounts") << 0LL << 0LL << 100LL << 0LL << 100LL << false
                                << QStringList{"0", "1円"};
    QTest::newRow("below one yen")
        << 0LL << 50LL << 100LL << 0LL << 100LL << false << QStringList{"0", "1円"};
    QTest::newRow("one bar of 4,321円")
        << 0LL << 432'100LL << 100'000LL << 0LL << 500'000LL << false
        << QStringList{"0", "1,000円", "2,000円", "3,000円", "4,000円", "5,000円"};
    QTest::newRow("one bar of 300万円")
        << 0LL << 300'000'000LL << 50'000'000LL << 0LL << 300'000'000LL << true
        << QStringList{"0", "50万円", "100万円", "150万円", "200万円", "250万円", "300万円"};
    QTest::newRow("either side of zero")
        << -50'000'000LL << 299'999'999LL << 50'000'000LL << -50'000'000LL << 300'000'000LL << true
        << QStringList{"-50万円", "0",       "50万円",  "100万円",
                       "150万円", "200万円", "250万円", "300万円"};
    QTest::newRow("below zero only")
        << -123'400LL << -500LL << 20'000LL << -140'000LL << 0LL << false
        << QStringList{"-1,400円", "-1,200円", "-1,000円", "-800円",
                       "-600円",   "-400円",   "-200円",   "0"};
    QTest::newRow("just under 10万円")
        << 0LL << 9'999'999LL << 2'000'000LL << 0LL << 10'000'000LL << false
        << QStringList{"0", "20,000円", "40,000円", "60,000円", "80,000円", "100,000円"};
    QTest::newRow("10万円") << 0LL << 10'000'000LL << 2'000'000LL << 0LL << 10'000'000LL << true
                            << QStringList{"0", "2万円", "4万円", "6万円", "8万円", "10万円"};
    QTest::newRow("10万円 below zero")
        << -10'000'000LL << 100LL << 2'000'000LL << -10'000'000LL << 2'000'000LL << true
        << QStringList{"-10万円", "-8万円", "-6万円", "-4万円", "-2万円", "0", "2万円"};
    QTest::newRow("the 64-bit top")
        << 0LL << kMost << 2'000'000'000'000'000'000LL << 0LL << kMost << true
        << QStringList{"0", "2,000,000,000,000万円", "4,000,000,000,000万円",
                       "6,000,000,000,000万円", "8,000,000,000,000万円"};
    QTest::newRow("the whole 64-bit range")
        << kLeast << kMost << 5'000'000'000'000'000'000LL << kLeast << kMost << true
        << QStringList{"-5,000,000,000,000万円", "0", "5,000,000,000,000万円"};
}

void TestChartRules::axis() {
    QFETCH(qint64, least);
    QFETCH(qint64, most);
    QFETCH(qint64, step);
    QFETCH(qint64, low);
    QFETCH(qint64, high);
    QFETCH(bool, manYen);
    QFETCH(QStringList, labels);

    const YenAxis axis = yenAxis(least, most);
    QCOMPARE(axis.step, step);
    QCOMPARE(axis.low, low);
    QCOMPARE(axis.high, high);
    QCOMPARE(axis.manYen, manYen);
    QStringList shown;
    for (qint64 tick : axisTicks(axis))
        shown.append(tickLabel(axis, tick));
    QCOMPARE(shown, labels);
}

void TestChartRules::amountTexts_data() {
    QTest::addColumn<qint64>("hundredths");
    QTest::addColumn<QString>("yen");
    QTest::addColumn<QString>("manYen");

    QTest::newRow("whole yen") << 123'450'000LL << "1,234,500円"
                               << "123.45万円";
    QTest::newRow("with sen") << 123'450'050LL << "1,234,500.50円"
                              << "123.45005万円";
    QTest::newRow("a negative sen") << -5LL << "-0.05円"
                                    << "-0.000005万円";
    QTest::newRow("zero") << 0LL << "0円"
                          << "0万円";
    QTest::newRow("half a 万") << 1'500'000LL << "15,000円"
                               << "1.5万円";
    QTest::newRow("64-bit least") << kLeast << "-92,233,720,368,547,758.08円"
                                  << "-9,223,372,036,854.775808万円";
    QTest::newRow("64-bit most") << kMost << "92,233,720,368,547,758.07円"
                                 << "9,223,372,036,854.775807万円";
}

void TestChartRules::amountTexts() {
    QFETCH(qint64, hundredths);
    QFETCH(QString, yen);
    QFETCH(QString, manYen);

    QCOMPARE(yenText(hundredths), yen);
    QCOMPARE(manYenText(hundredths), manYen);
}

void TestChartRules::monthlyBars_data() {
    QTest::addColumn<QStringList>("days");
    QTest::addColumn<QStringList>("months");

    QTest::newRow("no days") << QStringList{} << QStringList{};
    QTest::newRow("across a year end")
        << QStringList{"2025-12-30 1 150000", "2025-12-31 2 -50", "2026-01-05 1 300"}
        << QStringList{"2025-12-01 3 149950", "2026-01-01 1 300"};
    QTest::newRow("out of order, months between")
        << QStringList{"2026-03-02 1 7", "2025-12-01 1 5", "2026-03-31 2 1"}
        << QStringList{"2025-12-01 1 5", "2026-01-01 0 0", "2026-02-01 0 0", "2026-03-01 3 8"};
    QTest::newRow("partial sums past 64 bits and back")
        << QStringList{"2025-12-01 1 9223372036854775807", "2025-12-02 1 100", "2025-12-03 1 -200"}
        << QStringList{"2025-12-01 3 9223372036854775707"};
    QTest::newRow("past the top") << QStringList{"2025-12-01 1 9223372036854775807",
                                                 "2025-12-02 1 1", "2025-12-03 1 5"}
                                  << QStringList{"2025-12-01 3 9223372036854775807"};
    QTest::newRow("past the bottom")
        << QStringList{"2025-12-01 1 -9223372036854775808", "2025-12-02 1 -100"}
        << QStringList{"2025-12-01 2 -9223372036854775808"};
}

void TestChartRules::monthlyBars() {
    QFETCH(QStringList, days);
    QFETCH(QStringList, months);

    QCOMPARE(linesOf(tokivane::monthlyBars(barsOf(days))), months);
}

void TestChartRules::wantsMonths_data() {
    QTest::addColumn<QStringList>("days");
    QTest::addColumn<bool>("months");

    QTest::newRow("no days") << QStringList{} << false;
    QTest::newRow("one day") << QStringList{"2025-12-05 1 0"} << false;
    QTest::newRow("93 days") << QStringList{"2025-10-01 1 0", "2026-01-01 1 0"} << false;
    QTest::newRow("94 days") << QStringList{"2025-10-01 1 0", "2026-01-02 1 0"} << true;
    QTest::newRow("94 days, the last first")
        << QStringList{"2026-01-02 1 0", "2025-11-15 1 0", "2025-10-01 1 0"} << true;
}

void TestChartRules::wantsMonths() {
    QFETCH(QStringList, days);
    QFETCH(bool, months);

    QCOMPARE(tokivane::wantsMonths(barsOf(days)), months);
}

QTEST_MAIN(TestChartRules)
#include "tst_chart_rules.moc"
