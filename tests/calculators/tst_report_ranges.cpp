#include "memory_form.h"
#include "report_ranges.h"

#include <QTest>

using namespace tokivane;

namespace {

ReportRanges reported(const QString& processing, const QString& record) {
    return reportRangesOf(processingDateOf(processing).value(), record);
}

void addRow(const char* name, const char* processing, const char* record,
            const QStringList& expected) {
    QTest::newRow(name) << QString::fromUtf8(processing) << QString::fromUtf8(record) << expected;
}

} // namespace

class TestReportRanges : public QObject {
    Q_OBJECT

  private slots:
    void ranges_data();
    void ranges();
    void judgements_data();
    void judgements();
    void calculatorShowsItsTwelveFields();
};

void TestReportRanges::ranges_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    // Week start, month start and year start; every range ends on the processing date.
    QTest::addColumn<QStringList>("starts");

    addRow("a Friday reaches back to Monday", "24/05/10", "", {"24/05/06", "24/05/01", "23/12/01"});
    addRow("a Monday starts its week", "24/05/06", "", {"24/05/06", "24/05/01", "23/12/01"});
    addRow("a Sunday reaches into last month", "24/03/03", "",
           {"24/02/26", "24/03/01", "23/12/01"});
    addRow("New Year's Day reaches into last year", "25/01/01", "",
           {"24/12/30", "25/01/01", "24/12/01"});
    addRow("December opens the year", "24/12/15", "", {"24/12/09", "24/12/01", "24/12/01"});
    addRow("1 December starts on itself", "24/12/01", "", {"24/11/25", "24/12/01", "24/12/01"});
    addRow("November closes the year", "24/11/30", "", {"24/11/25", "24/11/01", "23/12/01"});
    addRow("one-digit previous year", "05/01/31", "", {"05/01/31", "05/01/01", "04/12/01"});
    addRow("typed without leading zeros", "26/1/5", "", {"26/01/05", "26/01/01", "25/12/01"});
    addRow("short 1 December", "25/12/1", "", {"25/12/01", "25/12/01", "25/12/01"});
}

void TestReportRanges::ranges() {
    QFETCH(QString, processing);
    QFETCH(QStringList, starts);

    const ReportRanges shown = reported(processing, processing);
    QCOMPARE((QStringList{shown.weekly.start, shown.monthly.start, shown.yearly.start}), starts);
    // The daily range and every end show the box as typed.
    for (const JudgedRange& range : {shown.daily, shown.weekly, shown.monthly, shown.yearly})
        QCOMPARE(range.end, processing);
    QCOMPARE(shown.daily.start, processing);
}

void TestReportRanges::judgements_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    // Daily, weekly, monthly and yearly.
    QTest::addColumn<QStringList>("judged");

    addRow("record on the Monday", "24/05/10", "24/05/06", {"No", "Yes", "Yes", "Yes"});
    addRow("the processing date", "24/05/10", "24/05/10", {"Yes", "Yes", "Yes", "Yes"});
    addRow("the day after", "24/05/10", "24/05/11", {"No", "No", "No", "No"});
    addRow("Sunday before the week", "24/05/10", "24/05/05", {"No", "No", "Yes", "Yes"});
    addRow("month start", "24/05/10", "24/05/01", {"No", "No", "Yes", "Yes"});
    addRow("year start", "24/05/10", "23/12/01", {"No", "No", "No", "Yes"});
    addRow("day before the year", "24/05/10", "23/11/30", {"No", "No", "No", "No"});
    addRow("week start in last month", "24/03/03", "24/02/26", {"No", "Yes", "No", "Yes"});
    addRow("short processing date, month start", "26/1/5", "26/1/1", {"No", "No", "Yes", "Yes"});
    addRow("short processing date, itself", "26/1/5", "26/01/05", {"Yes", "Yes", "Yes", "Yes"});
    addRow("short record date in the month", "26/10/15", "26/10/2", {"No", "No", "Yes", "Yes"});
}

void TestReportRanges::judgements() {
    QFETCH(QString, processing);
    QFETCH(QString, record);
    QFETCH(QStringList, judged);

    const ReportRanges shown = reported(processing, record);
    QCOMPARE((QStringList{shown.daily.judgement, shown.weekly.judgement, shown.monthly.judgement,
                          shown.yearly.judgement}),
             judged);
}

void TestReportRanges::calculatorShowsItsTwelveFields() {
    const QString typed = QStringLiteral("24/5/10");
    MemoryForm form(typed, QStringLiteral("24/05/05"), -1);
    CalcReportRanges(form);
    QCOMPARE(form.captions(), onlyCaptions({{Label29, typed},
                                            {Label30, typed},
                                            {Label31, "24/05/06"},
                                            {Label32, typed},
                                            {Label33, "24/05/01"},
                                            {Label34, typed},
                                            {Label35, "23/12/01"},
                                            {Label36, typed},
                                            {Label53, "No"},
                                            {Label54, "No"},
                                            {Label55, "Yes"},
                                            {Label56, "Yes"}}));
    QCOMPARE(form.captionWrites(), 12);
    QVERIFY(form.messages().isEmpty());
}

QTEST_APPLESS_MAIN(TestReportRanges)
#include "tst_report_ranges.moc"
