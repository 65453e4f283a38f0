// A sales ledger whose rows name their own closing day and terms: the due
// dates and invoicing judgements each row gets, and the rows' closing days
// judged exactly as 実行 judges the window's entries.
#include "batch_columns.h"
#include "batch_table.h"
#include "billing_periods.h"
#include "billing_ranges.h"
#include "closing_day.h"
#include "execute.h"
#include "judged_rows.h"
#include "ledger_rows.h"
#include "memory_form.h"

#include <QTest>
#include <chrono>

using namespace tokivane;
using namespace std::chrono;

namespace {

const FixedClock kClock{year{2025} / November / day{15}};

// Three customers on 10日, 20日 and 月末 with terms of their own, rows that
// leave both cells empty or blank, unreadable cells, a 都度 customer and a
// closing day the phrase contradicts.
const QString kLedger =
    QStringLiteral("伝票番号,得意先,締日,支払条件,売上日,金額\n"
                   "A-001,山田商店,10日,翌月末払い,2025/10/05,10000\n"
                   "A-002,山田商店,10日,翌月末払い,2025/10/11,5000\n"
                   "B-001,鈴木工業,20,20日締め翌々月10日払い 休日は翌営業日,2025/10/21,8000\n"
                   "C-001,佐藤物産,末,月末締め翌月末払い,2025/11/28,12000\n"
                   "C-002,佐藤物産,月末,\"末締め 60日サイト\",2025/11/10,3000\n"
                   "D-001,田中,,,2025/11/01,100\n"
                   "E-001,高橋,35日,翌月末,2025/11/05,1\n"
                   "F-001,伊藤,都度,翌月末,2025/11/05,1\n"
                   "G-001,小林,35日,xyz,2025/11/05,1\n"
                   "H-001,加藤,\" \",\"　\",2025/11/01,1\n"
                   "I-001,吉田,末,20日締め翌月末払い,2025/11/05,1\n");

JudgingBasis basisOf(const QString& processing, int entry) {
    return tokivane::basisOf(processing, entry, kClock);
}

} // namespace

class TestBatchLedger : public QObject {
    Q_OBJECT

  private slots:
    void eachRowByItsOwnTerms_data();
    void eachRowByItsOwnTerms();
    void theLineChangesRowsWithoutTermsOnly();
    void aDaysColumnCountsDays();
    void rowClosingDaysJudgeAsExecute();
    void everyClosingDayByTheWindowsRule();
};

void TestBatchLedger::eachRowByItsOwnTerms_data() {
    QTest::addColumn<QString>("slip");
    QTest::addColumn<QString>("closing");
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("note");
    const auto row = [](const char* slip, const char* closing, const char* due,
                        const char* previous, const char* current, const char* note) {
        QTest::newRow(slip) << QString::fromUtf8(slip) << QString::fromUtf8(closing)
                            << QString::fromUtf8(due) << QString::fromUtf8(previous)
                            << QString::fromUtf8(current) << QString::fromUtf8(note);
    };
    // 25/11/30 is a Sunday, 25/12/31 a bank closing day, 26/01/12 成人の日.
    row("A-001", "25/10/10", "25/11/28", "Yes", "No", "");
    row("A-002", "25/11/10", "25/12/30", "No", "Yes", "");
    row("B-001", "25/11/20", "26/01/13", "No", "Yes", "");
    row("C-001", "25/11/30", "25/12/30", "No", "No", "");
    row("C-002", "25/11/30", "26/01/29", "No", "Yes", "");
    row("D-001", "25/11/20", "25/12/30", "No", "Yes", "");
    row("E-001", "", "", "", "", "締日の列：「35日」");
    row("F-001", "25/11/05", "25/12/30", "", "", "都度締め");
    row("G-001", "", "", "", "", "支払条件の列：「xyz」");
    row("H-001", "25/11/20", "25/12/30", "No", "Yes", "");
    row("I-001", "25/11/30", "25/12/30", "No", "Yes", "締日の列と支払条件の締日が違います");
}

void TestBatchLedger::eachRowByItsOwnTerms() {
    QFETCH(QString, slip);
    BatchTable table = readBatch(kLedger, kClock);
    QCOMPARE(table.inputHeaders.size(), 6);
    QVERIFY(table.headerLine);
    QVERIFY(table.rowTerms.size() < std::size_t(table.rows.size()));
    judgeBatch(table, basisOf(u"25/11/15"_qs, kDefaultClosingDayIndex));
    QVERIFY(closingDaysFromRows(table));

    const auto cells = rowOf(table, slip);
    QTEST(cells.value(u"請求締日"_qs), "closing");
    QTEST(cells.value(u"回収予定日"_qs), "due");
    QTEST(cells.value(u"前回請求"_qs), "previous");
    QTEST(cells.value(u"今回請求"_qs), "current");
    QFETCH(QString, note);
    QVERIFY2(note.isEmpty() ? cells.value(u"備考"_qs).isEmpty()
                            : cells.value(u"備考"_qs).contains(note),
             qPrintable(cells.value(u"備考"_qs)));
    // The judgements of other ranges do not depend on the row's terms.
    QCOMPARE(cells.value(u"日報"_qs), u"No");
}

void TestBatchLedger::theLineChangesRowsWithoutTermsOnly() {
    BatchTable table = readBatch(kLedger, kClock);
    CollectionTerms line{ClosingDay::onDay(25), PayDay::monthAndDay(1, kMonthEndPayDay),
                         HolidayRule::NextBusinessDay};
    judgeBatch(table, basisOf(u"25/11/15"_qs, kDefaultClosingDayIndex), line);
    QCOMPARE(rowOf(table, u"D-001"_qs).value(u"請求締日"_qs), u"25/11/25");
    QCOMPARE(rowOf(table, u"D-001"_qs).value(u"回収予定日"_qs), u"26/01/05");
    // A phrase without a holiday rule takes the line's.
    QCOMPARE(rowOf(table, u"A-002"_qs).value(u"回収予定日"_qs), u"26/01/05");
    QCOMPARE(rowOf(table, u"B-001"_qs).value(u"回収予定日"_qs), u"26/01/13");
}

// A 支払サイト column holds days alone; 25/04/29 is 昭和の日.
void TestBatchLedger::aDaysColumnCountsDays() {
    BatchTable table =
        readBatch(u"締日,支払サイト,売上日\n末,60,2025/02/14\n末,６０日,2025/02/14\n"_qs, kClock);
    judgeBatch(table, basisOf(u"25/11/15"_qs, kDefaultClosingDayIndex));
    int due = 0;
    while (batchHeaderText(table, due) != u"回収予定日")
        ++due;
    for (const BatchRow& row : table.rows)
        QCOMPARE(batchCellText(table, row, due), u"25/04/28");
}

// Every record date of two years in rows that name the window's closing-day
// entries in the ways ledgers write them, against 実行 with that entry
// selected, while the line closes on a day of its own.
void TestBatchLedger::rowClosingDaysJudgeAsExecute() {
    const QList<std::pair<int, QString>> entries{
        {0, u"10"_qs}, {1, u"１５日"_qs}, {2, u"20日締め"_qs}, {3, u"25日"_qs}, {4, u"末"_qs}};
    QString ledger = u"締日,記録日\n"_qs;
    for (sys_days date{year{2024} / January / 1}; date <= sys_days{year{2025} / December / 31};
         date += days{1})
        for (const auto& [entry, cell] : entries)
            ledger += cell + u',' + dateTextOf(year_month_day{date}) + u'\n';
    BatchTable table = readBatch(ledger, kClock);
    int firstJudgement = 0;
    while (batchColumnAt(table, firstJudgement).kind != ColumnKind::Judgement)
        ++firstJudgement;
    const CollectionTerms line{ClosingDay::onDay(7), PayDay::daysAfter(30),
                               HolidayRule::PreviousBusinessDay};

    for (const QString& processing :
         {u"24/02/29"_qs, u"25/01/31"_qs, u"25/1/1"_qs, u"25/11/17"_qs}) {
        judgeBatch(table, basisOf(processing, 0), line);
        for (qsizetype at = 0; at < table.rows.size(); ++at) {
            const BatchRow& row = table.rows[at];
            const int entry = entries[at % entries.size()].first;
            MemoryForm form(processing, dateTextOf(*row.date), entry);
            Execute(form, kClock);
            for (int range = 0; range < kBillingRangeCount; ++range) {
                const OutputField field = kJudgedRows[static_cast<std::size_t>(range)].judgement;
                if (batchCellText(table, row, firstJudgement + range) != form.caption(field))
                    QFAIL(qPrintable(u"processing %1, line %2: %3 differs"_qs.arg(
                        processing, QString::number(row.line),
                        batchHeaderText(table, firstJudgement + range))));
            }
        }
    }
}

// The window's invoicing rule, given any day below 28 as its closing entry,
// gives the ranges rows with that closing day are judged by (the window reads
// 28 to 31 as the month's end, which a row's 28日 to 30日 are not).
void TestBatchLedger::everyClosingDayByTheWindowsRule() {
    constexpr int kLastWindowDay = 27;
    for (sys_days day{year{2001} / January / 1}; day <= sys_days{year{2099} / December / 31};
         day += days{13}) {
        const auto processing = processingDateOf(dateTextOf(year_month_day{day}));
        for (int closing = 1; closing <= kLastWindowDay; ++closing) {
            const BillingPeriods window =
                billingPeriodsOf(*processing, QString(), QString::number(closing) + u'日', kClock);
            const auto rows = billingRangesOf(processing->date, ClosingDay::onDay(closing));
            QVERIFY(rows);
            const QStringList expected{window.previous.start, window.previous.end,
                                       window.current.start};
            const QStringList actual{dateTextOf(rows->previousStart), dateTextOf(rows->previousEnd),
                                     dateTextOf(rows->currentStart)};
            if (actual != expected)
                QFAIL(qPrintable(
                    u"%1, %2日: %3 against %4"_qs.arg(processing->text, QString::number(closing),
                                                      actual.join(u' '), expected.join(u' '))));
        }
    }
}

QTEST_APPLESS_MAIN(TestBatchLedger)
#include "tst_batch_ledger.moc"
