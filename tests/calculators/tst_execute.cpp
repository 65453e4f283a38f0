#include "execute.h"
#include "memory_form.h"

#include <QTest>

using namespace tokivane;
using namespace std::chrono;

namespace {

const FixedClock kToday{year{2025} / November / day{15}};
constexpr int kTwentieth = 2;
constexpr int kMonthEnd = 4;
constexpr int kBlank = 5;
constexpr int kNoSelection = -1;

} // namespace

class TestExecute : public QObject {
    Q_OBJECT

  private slots:
    void firstProblemStopsEverything_data();
    void firstProblemStopsEverything();
    void blankClosesLikeMonthEnd_data();
    void blankClosesLikeMonthEnd();
};

void TestExecute::firstProblemStopsEverything_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("message");

    const auto row = [](const char* name, const QString& processing, const char* record,
                        int selected, const QString& message) {
        QTest::newRow(name) << processing << QString::fromUtf8(record) << selected << message;
    };
    const QString enterProcessing = u"日付を入力してください"_qs;
    const QString enterRecord = u"日付判定日を入力してください。"_qs;
    const QString selectClosing = u"締め日を選択してください"_qs;
    const QString invalidProcessing = u"処理日を正しい日付で入力してください"_qs;
    const QString tooEarly = u"処理日は02/01/01以降の日付で入力してください"_qs;
    const QString invalidRecord = u"記録日を正しい日付で入力してください"_qs;

    row("both boxes empty", "", "", kNoSelection, enterProcessing);
    row("processing date empty", "", "25/11/15", kTwentieth, enterProcessing);
    row("record date empty, nothing selected", "25/11/15", "", kNoSelection, enterRecord);
    row("record date empty, processing date no date", "abc", "", kTwentieth, enterRecord);
    row("nothing selected", "25/11/15", "25/11/15", kNoSelection, selectClosing);
    row("nothing selected, both dates no dates", "abc", "abc", kNoSelection, selectClosing);
    row("processing date a single blank", " ", "25/11/15", kTwentieth, invalidProcessing);
    row("processing date letters", "abc", "25/11/15", kTwentieth, invalidProcessing);
    row("processing date month 13", "26/13/01", "25/11/15", kTwentieth, invalidProcessing);
    row("processing date four-digit year", "2026/01/05", "25/11/15", kTwentieth, invalidProcessing);
    row("processing date 30 February", "26/02/30", "25/11/15", kTwentieth, invalidProcessing);
    row("processing date with a leading blank", " 26/01/05", "25/11/15", kTwentieth,
        invalidProcessing);
    row("processing date in full-width digits", u"２６/01/05"_qs, "25/11/15", kTwentieth,
        invalidProcessing);
    row("processing date day 00 left by completion", "26/05/00", "25/11/15", kTwentieth,
        invalidProcessing);
    row("invalid processing date before invalid record date", "26/02/30", "abc", kTwentieth,
        invalidProcessing);
    row("last day of 2001", "01/12/31", "25/11/15", kTwentieth, tooEarly);
    row("first day of 2000", "00/01/01", "25/11/15", kTwentieth, tooEarly);
    row("too early before invalid record date", "01/1/1", "abc", kTwentieth, tooEarly);
    row("record date a single blank", "25/11/15", " ", kTwentieth, invalidRecord);
    row("record date 29 February of a common year", "25/11/15", "27/02/29", kTwentieth,
        invalidRecord);
    row("record date with a trailing blank", "25/11/15", "25/11/15 ", kTwentieth, invalidRecord);
    row("record date a day alone", "25/11/15", "3", kTwentieth, invalidRecord);
}

void TestExecute::firstProblemStopsEverything() {
    QFETCH(QString, processing);
    QFETCH(QString, record);
    QFETCH(int, selected);
    QFETCH(QString, message);

    // A successful run first, so that unchanged fields are visible as such.
    MemoryForm form(QStringLiteral("25/11/15"), QStringLiteral("25/02/28"), kTwentieth);
    Execute(form, kToday);
    QVERIFY(form.messages().isEmpty());
    const auto captions = form.captions();
    const int writes = form.captionWrites();

    form.setBox(DateBox::Text1, processing);
    form.setBox(DateBox::Text2, record);
    form.select(selected);
    Execute(form, kToday);
    QCOMPARE(form.messages(), QStringList{message});
    QCOMPARE(form.captionWrites(), writes);
    QCOMPARE(form.captions(), captions);
}

void TestExecute::blankClosesLikeMonthEnd_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");

    // Month ends of 31, 30, 29 and 28 days, across the year, on and after the
    // closing date, and a processing date typed short.
    const char* const dates[][2]{
        {"26/12/05", "26/11/30"}, {"27/01/05", "26/12/31"}, {"26/04/20", "26/03/31"},
        {"28/03/10", "28/02/29"}, {"27/03/10", "27/02/28"}, {"28/02/29", "28/02/01"},
        {"26/05/31", "26/04/30"}, {"26/1/5", "26/1/1"},
    };
    for (const auto& [processing, record] : dates)
        QTest::addRow("%s, record %s", processing, record) << processing << record;
}

void TestExecute::blankClosesLikeMonthEnd() {
    QFETCH(QString, processing);
    QFETCH(QString, record);

    MemoryForm blank(processing, record, kBlank);
    MemoryForm monthEnd(processing, record, kMonthEnd);
    Execute(blank, kToday);
    Execute(monthEnd, kToday);
    QVERIFY(blank.messages().isEmpty());
    QCOMPARE(blank.captions(), monthEnd.captions());
}

QTEST_APPLESS_MAIN(TestExecute)
#include "tst_execute.moc"
