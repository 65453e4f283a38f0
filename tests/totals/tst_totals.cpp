// 集計 of a judged ledger: the amount column found by its header, amounts in
// every form ledgers write them added up exactly by due date, invoice and
// month, the rows left out and why, and random ledgers whose every figure is
// the sum of its rows.
#include "amount_cell.h"
#include "amount_cells.h"
#include "amount_column.h"
#include "amount_text.h"
#include "batch_table.h"
#include "closing_day.h"
#include "customer_list.h"
#include "ledger_totals.h"
#include "memory_form.h"
#include "row_amounts.h"
#include "totals_cells.h"
#include "totals_chart.h"

#include <QRandomGenerator>
#include <QTest>
#include <chrono>
#include <map>

using namespace tokivane;
using namespace std::chrono;

namespace {

const FixedClock kClock{year{2025} / November / day{15}};

// Customers on 20日 and 月末, one paid on 文化の日 as it falls, one whose terms
// cannot be read and a row without a date; amounts in every written form,
// two that cannot be read and one left blank.
const QString kLedger =
    QStringLiteral("伝票番号,得意先コード,得意先名,締日,支払条件,売上日,金額\n"
                   "A-01,00123,山田商店,20日,翌月末払い,2025/10/05,1234\n"
                   "A-02,00123,山田商店,20日,翌月末払い,2025/10/20,\"1,234\"\n"
                   "A-03,00123,山田商店,20日,翌月末払い,2025/10/21,\"¥1,234\"\n"
                   "A-04,00123,山田商店,20日,翌月末払い,2025/11/20,￥１，２３４\n"
                   "A-05,00123,山田商店,20日,翌月末払い,2025/11/21,\"1,234円\"\n"
                   "A-06,00123,山田商店,20日,翌月末払い,2025/11/25,\"-1,234\"\n"
                   "B-01,00045,鈴木工業,末,翌月10日払い,2025/10/31,\"−1,234\"\n"
                   "B-02,00045,鈴木工業,末,翌月10日払い,2025/11/01,\"△1,234\"\n"
                   "B-03,00045,鈴木工業,末,翌月10日払い,2025/11/30,\"▲1,234\"\n"
                   "B-04,00045,鈴木工業,末,翌月10日払い,2025/12/01,\"(1,234)\"\n"
                   "B-05,00045,鈴木工業,末,翌月10日払い,2025/12/15,\"-¥1,234\"\n"
                   "B-06,00045,鈴木工業,末,翌月10日払い,2025/12/31,1234.50\n"
                   "B-07,00045,鈴木工業,末,翌月10日払い,2025/12/31, 1234 \n"
                   "A-07,00123,山田商店,20日,翌月末払い,2025/11/05,abc\n"
                   "A-08,00123,山田商店,20日,翌月末払い,2025/11/05,\"1,23\"\n"
                   "A-09,00123,山田商店,20日,翌月末払い,2025/11/05,\n"
                   "C-01,00678,佐藤物産,20日,xyz,2025/11/05,5000\n"
                   "C-02,00678,佐藤物産,20日,xyz,2025/11/06,\"1,000\"\n"
                   "D-01,00123,山田商店,20日,翌月末払い,不明,300\n"
                   "E-01,00901,高橋,20日,翌月3日払い 休日はそのまま,2025/10/10,100\n");

JudgingBasis basisOf(const QString& processing) {
    const MemoryForm form(processing, processing, kDefaultClosingDayIndex);
    return std::get<JudgingBasis>(judgingBasisOf(form, kClock));
}

BatchTable judged(const QString& ledger) {
    BatchTable table = readBatch(ledger, kClock);
    judgeBatch(table, basisOf(u"25/11/15"_qs));
    return table;
}

QStringList linesOf(const QList<QStringList>& cells) {
    QStringList lines;
    for (const QStringList& line : cells)
        lines.append(line.join(u'|'));
    return lines;
}

QStringList tableOf(const LedgerTotals& totals, TotalsTable which,
                    TotalsForm form = TotalsForm::Plain) {
    return linesOf(totalsCells(totals, which, form));
}

} // namespace

class TestTotals : public QObject {
    Q_OBJECT

  private slots:
    void amountColumn_data();
    void amountColumn();
    void ledgerTables_data();
    void ledgerTables();
    void shownWithSeparators();
    void leftOutAndWhy();
    void targetRows();
    void chartOfDueDates();
    void customerTexts_data();
    void customerTexts();
    void figuresPastSixtyFourBits_data();
    void figuresPastSixtyFourBits();
    void everyFigureIsItsRows();
};

void TestTotals::amountColumn_data() {
    QTest::addColumn<QString>("headers");
    QTest::addColumn<int>("column");
    QTest::newRow("none") << u"伝票番号,売上日,数量"_qs << -1;
    QTest::newRow("金額") << u"売上日,金額"_qs << 1;
    QTest::newRow("税込金額 before 金額 on its left") << u"金額,税込金額"_qs << 1;
    QTest::newRow("leftmost of one name") << u"金額,売上日,金額"_qs << 0;
    QTest::newRow("金額 before 請求額") << u"請求額,売上額,金額"_qs << 2;
    QTest::newRow("full-width parentheses") << u"請求額,金額（税込）"_qs << 1;
    QTest::newRow("full-width letters and blanks") << u"売上日, 請求 金額 "_qs << 1;
    QTest::newRow("no partial names") << u"金額区分,単価"_qs << -1;
}

void TestTotals::amountColumn() {
    QFETCH(QString, headers);
    QFETCH(int, column);
    const auto found = amountColumnOf(headers.split(u','));
    QCOMPARE(found ? int(*found) : -1, column);
}

void TestTotals::ledgerTables_data() {
    QTest::addColumn<TotalsTable>("which");
    QTest::addColumn<QStringList>("lines");
    // 25/11/30, 26/01/10 and 26/01/31 fall on weekends and 25/12/31 is a bank
    // closing day: paid the business day before.
    QTest::newRow("回収予定日別") << TotalsTable::ByDue
                                  << QStringList{
                                         u"回収予定日|曜日・祝日|件数|金額|累計"_qs,
                                         u"25/11/03|月 文化の日|1|100.00|100.00"_qs,
                                         u"25/11/10|月|1|-1234.00|-1134.00"_qs,
                                         u"25/11/28|金|2|2468.00|1334.00"_qs,
                                         u"25/12/10|水|2|-2468.00|-1134.00"_qs,
                                         u"25/12/30|火|2|2468.00|1334.00"_qs,
                                         u"26/01/09|金|4|0.50|1334.50"_qs,
                                         u"26/01/30|金|2|0.00|1334.50"_qs,
                                         u"回収予定日なし||3|6300.00|7634.50"_qs,
                                         u"合計||17|7634.50|"_qs,
                                     };
    QTest::newRow("請求締日・得意先別")
        << TotalsTable::Invoices
        << QStringList{
               u"請求締日|得意先|請求期間|件数|金額|回収予定日"_qs,
               u"25/10/20|00123 山田商店|25/09/21～25/10/20|2|2468.00|25/11/28"_qs,
               u"25/10/20|00901 高橋|25/09/21～25/10/20|1|100.00|25/11/03"_qs,
               u"25/10/31|00045 鈴木工業|25/10/01～25/10/31|1|-1234.00|25/11/10"_qs,
               u"25/11/20|00123 山田商店|25/10/21～25/11/20|2|2468.00|25/12/30"_qs,
               u"25/11/30|00045 鈴木工業|25/11/01～25/11/30|2|-2468.00|25/12/10"_qs,
               u"25/12/20|00123 山田商店|25/11/21～25/12/20|2|0.00|26/01/30"_qs,
               u"25/12/31|00045 鈴木工業|25/12/01～25/12/31|4|0.50|26/01/09"_qs,
               u"合計|||14|1334.50|"_qs,
           };
    QTest::newRow("月別") << TotalsTable::Months
                          << QStringList{
                                 u"回収予定月|件数|金額"_qs, u"2025年11月|4|1334.00"_qs,
                                 u"2025年12月|4|0.00"_qs,    u"2026年1月|6|0.50"_qs,
                                 u"合計|14|1334.50"_qs,
                             };
}

void TestTotals::ledgerTables() {
    QFETCH(TotalsTable, which);
    const BatchTable table = judged(kLedger);
    const RowAmounts amounts(table, table.amountColumn);
    QTEST(tableOf(totalsOf(table, amounts, Target::allRows()), which), "lines");
}

void TestTotals::shownWithSeparators() {
    const BatchTable table = judged(kLedger);
    const LedgerTotals totals =
        totalsOf(table, RowAmounts(table, table.amountColumn), Target::allRows());
    const QStringList lines = tableOf(totals, TotalsTable::ByDue, TotalsForm::Shown);
    QCOMPARE(lines.at(2), u"25/11/10|月|1|-1,234.00|-1,134.00");
    QCOMPARE(lines.last(), u"合計||17|7,634.50|");

    const QStringList all = linesOf(allTotalsCells(totals, TotalsForm::Plain));
    QCOMPARE(all.size(), 1 + 10 + 1 + 1 + 9 + 1 + 1 + 5);
    QCOMPARE(all.at(0), u"回収予定日別");
    QCOMPARE(all.at(11), QString());
    QCOMPARE(all.at(12), u"請求締日・得意先別");
    QCOMPARE(all.at(23), u"月別");
    QCOMPARE(all.last(), u"合計|14|1334.50");
}

void TestTotals::leftOutAndWhy() {
    const BatchTable table = judged(kLedger);
    const auto column = table.amountColumn;
    const LedgerTotals totals = totalsOf(table, RowAmounts(table, column), Target::allRows());
    QCOMPARE(totals.leftOut.amountEmpty, 1);
    QCOMPARE(totals.leftOut.amountRefused, 2);
    QCOMPARE(totalsNote(totals),
             u"すべての行：17行を集計しました。除いた行：金額が空欄 1行、金額を読めない 2行。"
             u"回収予定日のない 3行は請求締日・得意先別と月別に入れていません");
    QStringList notes;
    for (const BatchRow& row : table.rows)
        notes.append(amountNote(table, row, column));
    notes.removeAll(QString());
    QCOMPARE(notes, (QStringList{u"金額の列：金額として読めません：「abc」"_qs,
                                 u"金額の列：桁区切りの位置が正しくありません：「1,23」"_qs}));

    const LedgerTotals none = totalsOf(table, RowAmounts(table, std::nullopt), Target::allRows());
    QCOMPARE(none.all.count, 0);
    QCOMPARE(none.leftOut.noAmountColumn, table.rows.size());
}

// 今回請求 runs from the day after the previous month's closing to the
// processing date: 25/10/21 to 25/11/15 on 20日, 25/11/01 on 月末.
void TestTotals::targetRows() {
    const BatchTable table = judged(kLedger);
    const LedgerTotals totals =
        totalsOf(table, RowAmounts(table, table.amountColumn), Target::judgedYes(1));
    QCOMPARE(tableOf(totals, TotalsTable::ByDue),
             (QStringList{u"回収予定日|曜日・祝日|件数|金額|累計"_qs,
                          u"25/12/10|水|1|-1234|-1234"_qs, u"25/12/30|火|1|1234|0"_qs,
                          u"回収予定日なし||2|6000|6000"_qs, u"合計||4|6000|"_qs}));
    QCOMPARE(totalsNote(totals),
             u"今回請求：4行を集計しました。除いた行：今回請求がYesでない 13行、金額が空欄 1行、"
             u"金額を読めない 2行。回収予定日のない 2行は請求締日・得意先別と月別に入れていません");
}

void TestTotals::chartOfDueDates() {
    const BatchTable table = judged(kLedger);
    const LedgerTotals totals =
        totalsOf(table, RowAmounts(table, table.amountColumn), Target::allRows());
    const std::vector<ChartBar> bars = chartBarsOf(totals);
    QCOMPARE(bars.size(), std::size_t(7));
    QCOMPARE(bars[0], (ChartBar{2025y / November / 3d, 1, 10000, true}));
    QCOMPARE(bars[5], (ChartBar{2026y / January / 9d, 4, 50, false}));
}

void TestTotals::customerTexts_data() {
    QTest::addColumn<QString>("ledger");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("customers");
    const QString codes = u"得意先コード,売上日,金額\n"_qs;
    // Codes of digits order by their value.
    QTest::newRow("codes") << codes + u"10,2025/11/01,1\n9,2025/11/02,1\n１０,2025/11/03,1\n"_qs
                           << QString() << QStringList{u"9"_qs, u"10"_qs};
    QTest::newRow("names alone")
        << u"得意先名,売上日,金額\n鈴木,2025/11/01,1\n\"鈴木\",2025/11/02,1\n"
           u" 伊藤 ,2025/11/03,1\n,2025/11/04,1\n"_qs
        << QString() << QStringList{QString(), u"伊藤"_qs, u"鈴木"_qs};
    QTest::newRow("no customer column")
        << u"売上日,金額\n2025/11/01,1\n"_qs << QString() << QStringList{QString()};
    QTest::newRow("the list's code and name")
        << codes + u"０１２３,2025/11/01,1\n123,2025/11/02,1\n"_qs
        << u"得意先コード,得意先名,締日,回収月,回収日\n0123,山田商店,20,1,末\n"_qs
        << QStringList{u"0123 山田商店"_qs};
}

void TestTotals::customerTexts() {
    QFETCH(QString, ledger);
    QFETCH(QString, list);
    BatchTable table = readBatch(ledger, kClock);
    std::shared_ptr<const CustomerList> customers;
    if (!list.isEmpty())
        customers = std::make_shared<CustomerList>(
            std::get<CustomerList>(readCustomerList(list, MonthCounting::ZeroIsThisMonth)));
    const JudgingBasis basis = basisOf(u"25/11/15"_qs);
    judgeBatch(table, basis, startingTerms(basis.closingEntry), customers);
    const LedgerTotals totals =
        totalsOf(table, RowAmounts(table, table.amountColumn), Target::allRows());
    QStringList shown;
    for (const InvoiceLine& line : totals.invoices)
        shown.append(line.customer);
    QTEST(shown, "customers");
    QCOMPARE(totals.dated.count, table.rows.size());
}

void TestTotals::figuresPastSixtyFourBits_data() {
    QTest::addColumn<QString>("ledger");
    QTest::addColumn<bool>("refused");
    const QString largest = u"92233720368547758.07"_qs;
    const QString mostNegative = u"-92233720368547758.08"_qs;
    const auto ledger = [](const QList<std::pair<const char*, QString>>& rows) {
        QString text = u"売上日,金額\n"_qs;
        for (const auto& [date, amount] : rows)
            text += QString::fromUtf8(date) + u',' + amount + u'\n';
        return text;
    };
    QTest::newRow("a day past the largest")
        << ledger({{"2025/11/01", largest}, {"2025/11/02", u"0.01"_qs}}) << true;
    // Added in the ledger's order the sum passes 64 bits on the way.
    QTest::newRow("a day back within") << ledger({{"2025/11/01", largest},
                                                  {"2025/11/02", largest},
                                                  {"2025/11/03", mostNegative},
                                                  {"2025/11/04", mostNegative}})
                                       << false;
    QTest::newRow("a running total past the largest") << ledger({{"2025/11/01", largest},
                                                                 {"2025/11/25", largest},
                                                                 {"2025/12/25", mostNegative},
                                                                 {"2025/12/26", mostNegative}})
                                                      << true;
    // Closing in 2100, past the years whose holidays are known.
    QTest::newRow("undated rows past the largest") << ledger({{"2099/12/25", largest},
                                                              {"2099/12/25", largest},
                                                              {"2025/11/03", mostNegative},
                                                              {"2025/11/04", mostNegative}})
                                                   << true;
}

void TestTotals::figuresPastSixtyFourBits() {
    QFETCH(QString, ledger);
    QFETCH(bool, refused);
    const BatchTable table = judged(ledger);
    const LedgerTotals totals =
        totalsOf(table, RowAmounts(table, table.amountColumn), Target::allRows());
    QCOMPARE(totals.refusal.has_value(), refused);
    if (!refused) {
        QCOMPARE(totals.all.amount, (Amount{-2, true}));
        return;
    }
    QVERIFY(chartBarsOf(totals).empty());
    for (const TotalsTable which : {TotalsTable::ByDue, TotalsTable::Invoices, TotalsTable::Months})
        QCOMPARE(totalsCells(totals, which, TotalsForm::Shown).last(),
                 QStringList{u"合計が大きすぎます（64ビットを超えます）"_qs});
}

namespace {

// A random cell of one of the kinds given, some of them blank or unreadable.
template <std::size_t N>
QString pick(QRandomGenerator& random, const std::array<const char*, N>& cells) {
    return QString::fromUtf8(cells[random.bounded(quint32(N))]);
}

QString randomAmount(QRandomGenerator& random) {
    const qint64 yen = random.bounded(-3'000'000, 3'000'000);
    const QString digits = QString::number(std::abs(yen));
    switch (random.bounded(8)) {
    case 0:
        return QString();
    case 1:
        return u"x%1"_qs.arg(yen);
    case 2:
        return u"%1.%2"_qs.arg(yen).arg(random.bounded(100), 2, 10, QChar(u'0'));
    case 3:
        return u"\"%1%2円\""_qs.arg(yen < 0 ? u"▲" : u"", amountShown(Amount{std::abs(yen) * 100}));
    default:
        return QString::number(yen);
    }
}

QString randomLedger(QRandomGenerator& random, int rows) {
    constexpr std::array<const char*, 5> kCodes{"1", "2", "03", "", "4"};
    constexpr std::array<const char*, 6> kClosings{"10日", "20日", "末", "都度", "", "35日"};
    constexpr std::array<const char*, 6> kTerms{
        "翌月末払い", "翌々月10日払い", "30日後", "当月5日払い", "", "xyz"};
    QString text = u"得意先コード,締日,支払条件,売上日,金額\n"_qs;
    for (int row = 0; row < rows; ++row) {
        const sys_days day = sys_days{2025y / January / 1d} + days{random.bounded(600)};
        const QString date = random.bounded(20) == 0 ? u"不明"_qs : dateTextOf(year_month_day{day});
        text += QStringList{pick(random, kCodes), pick(random, kClosings), pick(random, kTerms),
                            date, randomAmount(random)}
                    .join(u',') +
                u'\n';
    }
    return text;
}

struct Sum {
    qint64 count = 0;
    qint64 hundredths = 0;

    void add(qint64 amount) {
        ++count;
        hundredths += amount;
    }
    bool operator==(const Sum&) const = default;
};

Sum sumOf(const Figure& figure) {
    return {figure.count, figure.amount.hundredths};
}

} // namespace

// Random ledgers judged on random days: each line is the sum of its rows as
// each row's cells and dueDateOfRow give them, every 合計 the sum of its
// lines, and 累計 ends at the grand total.
void TestTotals::everyFigureIsItsRows() {
    QRandomGenerator random(20251115);
    for (int ledger = 0; ledger < 40; ++ledger) {
        BatchTable table = readBatch(randomLedger(random, 200), kClock);
        const sys_days processing = sys_days{2025y / March / 1d} + days{random.bounded(365)};
        judgeBatch(table, basisOf(dateTextOf(year_month_day{processing})));
        const auto column = table.amountColumn;
        const int judgement = int(random.bounded(kJudgedRangeCount + 1)) - 1;
        const Target target = judgement < 0 ? Target::allRows() : Target::judgedYes(judgement);
        const LedgerTotals totals = totalsOf(table, RowAmounts(table, column), target);

        std::map<int, Sum> byDue;
        std::map<std::pair<int, int>, Sum> byInvoice;
        std::map<int, Sum> byMonth;
        Sum undated;
        Sum all;
        for (const BatchRow& row : table.rows) {
            if (judgement >= 0 &&
                !(judgementShown(table, row, judgement) && ((row.yes >> judgement) & 1U)))
                continue;
            const AmountCell cell = readAmountCell(cellsOf(table, row).value(*column));
            if (!std::holds_alternative<Amount>(cell))
                continue;
            const qint64 amount = std::get<Amount>(cell).hundredths;
            all.add(amount);
            const auto due = dueDateOfRow(table, row);
            if (!due || !std::holds_alternative<DueDate>(*due)) {
                undated.add(amount);
                continue;
            }
            const DueDate dates = std::get<DueDate>(*due);
            const int dueDay = sys_days{dates.due}.time_since_epoch().count();
            byDue[dueDay].add(amount);
            byInvoice[{sys_days{dates.closing}.time_since_epoch().count(), dueDay}].add(amount);
            byMonth[int(dates.due.year()) * 12 + int(unsigned(dates.due.month()))].add(amount);
        }

        QVERIFY(!totals.refusal);
        QCOMPARE(sumOf(totals.all), all);
        QCOMPARE(sumOf(totals.undated), undated);
        const LeftOut& out = totals.leftOut;
        QCOMPARE(all.count + out.notInTarget + out.amountEmpty + out.amountRefused,
                 table.rows.size());

        std::map<int, Sum> dueLines;
        qint64 running = 0;
        for (const DueLine& line : totals.byDue) {
            dueLines[sys_days{line.due}.time_since_epoch().count()] = sumOf(line.figure);
            running += line.figure.amount.hundredths;
            QCOMPARE(line.running.hundredths, running);
        }
        QCOMPARE(dueLines, byDue);
        QCOMPARE(running + undated.hundredths, all.hundredths);

        std::map<std::pair<int, int>, Sum> invoiceLines;
        Sum invoiceTotal;
        for (const InvoiceLine& line : totals.invoices) {
            Sum& sum = invoiceLines[{sys_days{line.closing}.time_since_epoch().count(),
                                     sys_days{line.due}.time_since_epoch().count()}];
            sum.count += line.figure.count;
            sum.hundredths += line.figure.amount.hundredths;
            invoiceTotal.count += line.figure.count;
            invoiceTotal.hundredths += line.figure.amount.hundredths;
        }
        QCOMPARE(invoiceLines, byInvoice);
        QCOMPARE(invoiceTotal, sumOf(totals.dated));

        std::map<int, Sum> monthLines;
        for (const MonthLine& line : totals.months)
            monthLines[int(line.month.year()) * 12 + int(unsigned(line.month.month()))] =
                sumOf(line.figure);
        QCOMPARE(monthLines, byMonth);
        QCOMPARE(sumOf(totals.dated).hundredths + undated.hundredths, all.hundredths);

        // The 合計 a copy writes reads back as the grand total.
        const QStringList total = totalsCells(totals, TotalsTable::ByDue, TotalsForm::Plain).last();
        QCOMPARE(std::get<Amount>(readAmountCell(total.at(3))).hundredths, all.hundredths);
    }
}

QTEST_APPLESS_MAIN(TestTotals)
#include "tst_totals.moc"
