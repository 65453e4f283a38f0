#include "billing_periods.h"
#include "memory_form.h"

#include <QTest>

using namespace tokivane;
using namespace std::chrono;

namespace {

const FixedClock kToday{year{2025} / November / day{15}};

BillingPeriods billed(const QString& processing, const QString& record, QStringView entry,
                      const Clock& clock = kToday) {
    return billingPeriodsOf(processingDateOf(processing).value(), record, entry, clock);
}

// In the order the rows give them: closing date, previous start, end and
// judgement, current start, end and judgement.
QStringList texts(const BillingPeriods& periods) {
    return {periods.closingDate,        periods.previous.start, periods.previous.end,
            periods.previous.judgement, periods.current.start,  periods.current.end,
            periods.current.judgement};
}

} // namespace

class TestBillingPeriods : public QObject {
    Q_OBJECT

  private slots:
    void periodsOfTheProcessingMonth_data();
    void periodsOfTheProcessingMonth();
    void rangeEndsAreInside_data();
    void rangeEndsAreInside();
    void calculatorShowsItsSevenFields();
    void calculatorWithoutSelectionAsksForIt();
};

void TestBillingPeriods::periodsOfTheProcessingMonth_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("expected");

    const auto row = [](const char* name, const char* processing, const char* record,
                        const QString& entry, const QStringList& expected) {
        QTest::newRow(name) << processing << record << entry << expected;
    };
    row("20th in December", "26/12/05", "26/11/30", u"20日"_qs,
        {"26/12/20", "26/10/21", "26/11/20", "No", "26/11/21", "26/12/05", "Yes"});
    row("10th in January reaches November", "27/01/15", "26/12/11", u"10日"_qs,
        {"27/01/10", "26/11/11", "26/12/10", "No", "26/12/11", "27/01/15", "Yes"});
    row("25th in February reaches December", "27/02/03", "26/12/26", u"25日"_qs,
        {"27/02/25", "26/12/26", "27/01/25", "Yes", "27/01/26", "27/02/03", "No"});
    row("15th, record on the processing date", "26/12/05", "26/12/05", u"15日"_qs,
        {"26/12/15", "26/10/16", "26/11/15", "No", "26/11/16", "26/12/05", "Yes"});
    row("month end after a leap February", "28/03/10", "28/02/29", u"月末"_qs,
        {"28/03/31", "28/02/01", "28/02/29", "Yes", "28/03/01", "28/03/10", "No"});
    row("month end after a common February", "27/03/10", "27/02/28", u"月末"_qs,
        {"27/03/31", "27/02/01", "27/02/28", "Yes", "27/03/01", "27/03/10", "No"});
    row("month end of April ends March on the 31st", "26/04/20", "26/03/31", u"月末"_qs,
        {"26/04/30", "26/03/01", "26/03/31", "Yes", "26/04/01", "26/04/20", "No"});
    row("blank in January reaches December", "27/01/05", "26/12/31", u"空白"_qs,
        {"27/01/31", "26/12/01", "26/12/31", "Yes", "27/01/01", "27/01/05", "No"});
    row("after this month's closing", "26/12/25", "26/12/23", u"20日"_qs,
        {"26/12/20", "26/10/21", "26/11/20", "No", "26/11/21", "26/12/25", "Yes"});

    // Typed without leading zeros and without Enter: the periods come from the
    // date, the current end echoes the box.
    row("processing date in January", "26/1/5", "26/1/5", u"20日"_qs,
        {"26/01/20", "25/11/21", "25/12/20", "No", "25/12/21", "26/1/5", "Yes"});
    row("short record date inside the current period", "26/12/05", "26/12/1", u"20日"_qs,
        {"26/12/20", "26/10/21", "26/11/20", "No", "26/11/21", "26/12/05", "Yes"});
    row("short processing date, record the day after", "26/12/9", "26/12/10", u"10日"_qs,
        {"26/12/10", "26/10/11", "26/11/10", "No", "26/11/11", "26/12/9", "No"});
}

void TestBillingPeriods::periodsOfTheProcessingMonth() {
    QFETCH(QString, processing);
    QFETCH(QString, record);
    QFETCH(QString, entry);
    QFETCH(QStringList, expected);

    QCOMPARE(texts(billed(processing, record, entry)), expected);
    // Completion fills missing parts from today; no built text may need that.
    const FixedClock otherDay{year{2031} / February / day{3}};
    QCOMPARE(texts(billed(processing, record, entry, otherDay)), expected);
}

void TestBillingPeriods::rangeEndsAreInside_data() {
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("current");

    // Processing date 26/12/05 with the 20th: previous 26/10/21-26/11/20,
    // current 26/11/21-26/12/05.
    const auto row = [](const char* name, const char* record, const char* previous,
                        const char* current) {
        QTest::newRow(name) << QString::fromUtf8(record) << QString::fromUtf8(previous)
                            << QString::fromUtf8(current);
    };
    row("previous start", "26/10/21", "Yes", "No");
    row("previous end", "26/11/20", "Yes", "No");
    row("current start", "26/11/21", "No", "Yes");
    row("day after the processing date", "26/12/06", "No", "No");
    row("this month's closing date", "26/12/20", "No", "No");
}

void TestBillingPeriods::rangeEndsAreInside() {
    QFETCH(QString, record);
    QFETCH(QString, previous);
    QFETCH(QString, current);

    const BillingPeriods periods = billed(QStringLiteral("26/12/05"), record, u"20日");
    QCOMPARE(periods.previous.judgement, previous);
    QCOMPARE(periods.current.judgement, current);
}

void TestBillingPeriods::calculatorShowsItsSevenFields() {
    MemoryForm form(QStringLiteral("27/02/3"), QStringLiteral("26/12/26"),
                    closingDayIndex(u"25日"));
    CalcBillingPeriods(form, kToday);
    QCOMPARE(form.captions(), onlyCaptions({{Label24, "27/02/25"},
                                            {Label41, "26/12/26"},
                                            {Label42, "27/01/25"},
                                            {Label40, "Yes"},
                                            {Label21, "27/01/26"},
                                            {Label22, "27/02/3"},
                                            {Label51, "No"}}));
    QCOMPARE(form.captionWrites(), 7);
    QVERIFY(form.messages().isEmpty());
}

void TestBillingPeriods::calculatorWithoutSelectionAsksForIt() {
    MemoryForm form(QStringLiteral("26/12/05"), QStringLiteral("26/11/30"), -1);
    CalcBillingPeriods(form, kToday);
    QCOMPARE(form.messages(), QStringList{u"締め日を選択してください"_qs});
    QCOMPARE(form.captionWrites(), 0);
}

QTEST_APPLESS_MAIN(TestBillingPeriods)
#include "tst_billing_periods.moc"
