#include "calculators/execute.h"
#include "support/memory_form.h"

#include <QTest>

using namespace tokivane;
using namespace std::chrono;

namespace {

const FixedClock kToday{year{2025} / November / day{15}};
constexpr int kTwentieth = 2;
constexpr int kNoSelection = -1;

} // namespace

class TestExecute : public QObject {
    Q_OBJECT

  private slots:
    void firstProblemStopsEverything_data();
    void firstProblemStopsEverything();
    void successfulRunWritesEveryField_data();
    void successfulRunWritesEveryField();
    void typicalRun();
    void secondRunRecomputesFromTheControls();
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

void TestExecute::successfulRunWritesEveryField_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("selected");

    const auto row = [](const char* name, const char* processing, const char* record,
                        int selected) {
        QTest::newRow(name) << QString::fromUtf8(processing) << QString::fromUtf8(record)
                            << selected;
    };
    row("typical run", "25/11/15", "25/02/28", kTwentieth);
    row("earliest processing date", "02/01/01", "02/01/01", 0);
    row("latest processing date", "99/12/31", "00/01/01", 4);
    row("dates typed without leading zeros", "26/1/5", "26/1/1", 5);
}

void TestExecute::successfulRunWritesEveryField() {
    QFETCH(QString, processing);
    QFETCH(QString, record);
    QFETCH(int, selected);

    MemoryForm form(processing, record, selected);
    Execute(form, kToday);
    QVERIFY(form.messages().isEmpty());
    QCOMPARE(form.captionWrites(), 32);
    for (const OutputField field : kAllOutputFields)
        QVERIFY2(!form.caption(field).isEmpty(), qPrintable(fieldName(field)));
}

void TestExecute::typicalRun() {
    // 25/02/28 is what 2/29 becomes on 15 November 2025.
    MemoryForm form(QStringLiteral("25/11/15"), QStringLiteral("25/02/28"), kTwentieth);
    Execute(form, kToday);
    QCOMPARE(form.caption(Label24), u"25/11/20");
    QCOMPARE(form.caption(Label41), u"25/09/21");
    QCOMPARE(form.caption(Label42), u"25/10/20");
    QCOMPARE(form.caption(Label21), u"25/10/21");
    QCOMPARE(form.caption(Label22), u"25/11/15");
    QCOMPARE(form.caption(Label40), u"No");
    QCOMPARE(form.caption(Label51), u"No");
}

void TestExecute::secondRunRecomputesFromTheControls() {
    MemoryForm form(QStringLiteral("25/11/15"), QStringLiteral("25/02/28"), kTwentieth);
    Execute(form, kToday);
    form.setBox(DateBox::Text1, QStringLiteral("28/3/1"));
    form.setBox(DateBox::Text2, QStringLiteral("28/02/29"));
    form.select(4);
    Execute(form, kToday);

    MemoryForm fresh(QStringLiteral("28/3/1"), QStringLiteral("28/02/29"), 4);
    Execute(fresh, kToday);
    QCOMPARE(form.captions(), fresh.captions());
    QCOMPARE(form.captionWrites(), 64);
    QVERIFY(form.messages().isEmpty());
}

QTEST_APPLESS_MAIN(TestExecute)
#include "tst_execute.moc"
