#include "memory_form.h"
#include "payment_periods.h"

#include <QTest>

using namespace tokivane;
using namespace std::chrono;

namespace {

const FixedClock kToday{year{2025} / November / day{15}};

// Closing date, monthly start and end, yearly start and end.
QStringList texts(const QString& processing, QStringView entry, const Clock& clock = kToday) {
    const PaymentPeriods periods =
        paymentPeriodsOf(processingDateOf(processing).value(), entry, clock);
    return {periods.closingDate, periods.monthly.start, periods.monthly.end, periods.yearly.start,
            periods.yearly.end};
}

} // namespace

class TestPaymentPeriods : public QObject {
    Q_OBJECT

  private slots:
    void periods_data();
    void periods();
    void calculatorShowsItsFiveFields();
    void calculatorWithoutSelectionAsksForIt();
};

void TestPaymentPeriods::periods_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("expected");

    const auto row = [](const char* name, const char* processing, const QString& entry,
                        const QStringList& expected) {
        QTest::newRow(name) << processing << entry << expected;
    };
    row("on the closing date", "26/12/20", u"20日"_qs,
        {"26/12/20", "26/10/21", "26/11/20", "24/11/21", "25/11/20"});
    row("day after the closing date", "26/12/21", u"20日"_qs,
        {"26/12/20", "26/11/21", "26/12/20", "24/11/21", "25/11/20"});
    row("January before the closing", "26/01/05", u"20日"_qs,
        {"26/01/20", "25/11/21", "25/12/20", "24/11/21", "25/11/20"});
    row("January after the closing", "26/01/25", u"20日"_qs,
        {"26/01/20", "25/12/21", "26/01/20", "24/11/21", "25/11/20"});
    row("February on the 10th", "26/02/10", u"10日"_qs,
        {"26/02/10", "25/12/11", "26/01/10", "24/11/11", "25/11/10"});
    row("February after the 10th", "26/02/11", u"10日"_qs,
        {"26/02/10", "26/01/11", "26/02/10", "24/11/11", "25/11/10"});
    row("before the 15th", "26/03/01", u"15日"_qs,
        {"26/03/15", "26/01/16", "26/02/15", "24/11/16", "25/11/15"});
    row("after the 25th in December", "26/12/31", u"25日"_qs,
        {"26/12/25", "26/11/26", "26/12/25", "24/11/26", "25/11/25"});
    row("month end after a common February", "26/03/15", u"月末"_qs,
        {"26/03/31", "26/02/01", "26/02/28", "24/12/01", "25/11/30"});
    row("month end after a leap February", "28/03/15", u"月末"_qs,
        {"28/03/31", "28/02/01", "28/02/29", "26/12/01", "27/11/30"});
    row("month end on a 31st", "26/05/31", u"月末"_qs,
        {"26/05/31", "26/04/01", "26/04/30", "24/12/01", "25/11/30"});
    row("month end on 28 February", "26/02/28", u"月末"_qs,
        {"26/02/28", "26/01/01", "26/01/31", "24/12/01", "25/11/30"});
    row("blank on 31 January", "26/01/31", u"空白"_qs,
        {"26/01/31", "25/12/01", "25/12/31", "24/12/01", "25/11/30"});
    row("7 December is before the 20th", "26/12/07", u"20日"_qs,
        {"26/12/20", "26/10/21", "26/11/20", "24/11/21", "25/11/20"});
    row("25 December is after the 20th", "26/12/25", u"20日"_qs,
        {"26/12/20", "26/11/21", "26/12/20", "24/11/21", "25/11/20"});
    row("7 December typed short is before the 20th", "26/12/7", u"20日"_qs,
        {"26/12/20", "26/10/21", "26/11/20", "24/11/21", "25/11/20"});
    row("short date after the closing", "26/1/25", u"20日"_qs,
        {"26/01/20", "25/12/21", "26/01/20", "24/11/21", "25/11/20"});
}

void TestPaymentPeriods::periods() {
    QFETCH(QString, processing);
    QFETCH(QString, entry);
    QFETCH(QStringList, expected);

    QCOMPARE(texts(processing, entry), expected);
    // Completion fills missing parts from today; no built text may need that.
    const FixedClock otherDay{year{2031} / February / day{3}};
    QCOMPARE(texts(processing, entry, otherDay), expected);
}

void TestPaymentPeriods::calculatorShowsItsFiveFields() {
    // The record date box is left empty: this group has no judgements.
    MemoryForm form(QStringLiteral("26/12/7"), QString(), closingDayIndex(u"20日"));
    CalcPaymentPeriods(form, kToday);
    QCOMPARE(form.captions(), onlyCaptions({{Label60, "26/12/20"},
                                            {Label61, "26/10/21"},
                                            {Label62, "26/11/20"},
                                            {Label63, "24/11/21"},
                                            {Label64, "25/11/20"}}));
    QCOMPARE(form.captionWrites(), 5);
    QVERIFY(form.messages().isEmpty());
}

void TestPaymentPeriods::calculatorWithoutSelectionAsksForIt() {
    MemoryForm form(QStringLiteral("26/12/07"), QString(), -1);
    CalcPaymentPeriods(form, kToday);
    QCOMPARE(form.messages(), QStringList{u"締め日を選択してください"_qs});
    QCOMPARE(form.captionWrites(), 0);
}

QTEST_APPLESS_MAIN(TestPaymentPeriods)
#include "tst_payment_periods.moc"
