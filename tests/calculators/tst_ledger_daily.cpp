#include "ledger_daily.h"
#include "memory_form.h"

#include <QTest>

using namespace tokivane;

namespace {

LedgerDaily ledger(const QString& processing, const QString& record) {
    return ledgerDailyOf(processingDateOf(processing).value(), record);
}

void addRow(const char* name, const char* processing, const char* record,
            const QStringList& expected) {
    QTest::newRow(name) << QString::fromUtf8(processing) << QString::fromUtf8(record) << expected;
}

} // namespace

class TestLedgerDaily : public QObject {
    Q_OBJECT

  private slots:
    void dates_data();
    void dates();
    void judgements_data();
    void judgements();
    void calculatorShowsItsEightFields();
};

void TestLedgerDaily::dates_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    // The day before, the backlog start and the fiscal-year start.
    QTest::addColumn<QStringList>("dates");

    addRow("mid-year", "25/06/15", "", {"25/06/14", "24/12/01", "24/12/01"});
    addRow("last day of the fiscal year", "25/11/30", "", {"25/11/29", "24/12/01", "24/12/01"});
    addRow("1 December keeps last year's backlog", "25/12/01", "",
           {"25/11/30", "24/12/01", "25/12/01"});
    addRow("2 December", "25/12/02", "", {"25/12/01", "25/12/01", "25/12/01"});
    addRow("31 December", "25/12/31", "", {"25/12/30", "25/12/01", "25/12/01"});
    addRow("New Year's Day", "26/01/01", "", {"25/12/31", "25/12/01", "25/12/01"});
    addRow("after a leap day", "24/03/01", "", {"24/02/29", "23/12/01", "23/12/01"});
    addRow("1 December typed without leading zero", "25/12/1", "",
           {"25/11/30", "24/12/01", "25/12/01"});
}

void TestLedgerDaily::dates() {
    QFETCH(QString, processing);
    QFETCH(QStringList, dates);

    const LedgerDaily shown = ledger(processing, processing);
    const QStringList expected{dates[0], dates[0], dates[1], dates[0], dates[2], processing};
    // The day before is a one-day range; the fiscal year ends on the box as typed.
    QCOMPARE((QStringList{shown.dayBefore.start, shown.dayBefore.end, shown.backlog.start,
                          shown.backlog.end, shown.fiscalYear.start, shown.fiscalYear.end}),
             expected);
}

void TestLedgerDaily::judgements_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    // Daily report, backlog and fiscal year.
    QTest::addColumn<QStringList>("judged");

    addRow("the day before", "25/06/15", "25/06/14", {"Yes", "Yes", "Yes"});
    addRow("the processing date", "25/06/15", "25/06/15", {"No", "No", "Yes"});
    addRow("fiscal-year start", "25/06/15", "24/12/01", {"No", "Yes", "Yes"});
    addRow("before the fiscal year", "25/06/15", "24/11/30", {"No", "No", "No"});
    addRow("after the processing date", "25/06/15", "25/06/16", {"No", "No", "No"});
    addRow("1 December, the day before", "25/12/01", "25/11/30", {"Yes", "Yes", "No"});
    addRow("1 December, itself", "25/12/01", "25/12/01", {"No", "No", "Yes"});
    addRow("1 December, last fiscal start", "25/12/01", "24/12/01", {"No", "Yes", "No"});
    addRow("short 1 December, itself", "25/12/1", "25/12/1", {"No", "No", "Yes"});
    addRow("short record date in the backlog", "25/12/15", "25/12/2", {"No", "Yes", "Yes"});
}

void TestLedgerDaily::judgements() {
    QFETCH(QString, processing);
    QFETCH(QString, record);
    QFETCH(QStringList, judged);

    const LedgerDaily shown = ledger(processing, record);
    QCOMPARE((QStringList{shown.dayBefore.judgement, shown.backlog.judgement,
                          shown.fiscalYear.judgement}),
             judged);
}

void TestLedgerDaily::calculatorShowsItsEightFields() {
    MemoryForm form(QStringLiteral("25/12/1"), QStringLiteral("25/11/30"), -1);
    CalcLedgerDaily(form);
    QCOMPARE(form.captions(), onlyCaptions({{Label26, "25/11/30"},
                                            {Label27, "24/12/01"},
                                            {Label28, "25/11/30"},
                                            {Label38, "25/12/01"},
                                            {Label39, "25/12/1"},
                                            {Label52, "Yes"},
                                            {Label57, "Yes"},
                                            {Label58, "No"}}));
    QCOMPARE(form.captionWrites(), 8);
    QVERIFY(form.messages().isEmpty());
}

QTEST_APPLESS_MAIN(TestLedgerDaily)
#include "tst_ledger_daily.moc"
