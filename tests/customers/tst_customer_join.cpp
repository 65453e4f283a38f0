// Customer lists as two products export them, and a sales ledger of codes
// joined to one: each row's closing day and terms from its customer, and
// what 備考 says when a code gives none.
#include "batch_columns.h"
#include "batch_table.h"
#include "customer_list.h"
#include "file_text.h"
#include "ledger_rows.h"
#include "shift_jis.h"
#include "table_kind.h"

#include <QTest>
#include <chrono>

using namespace tokivane;
using namespace std::chrono;

namespace {

const FixedClock kClock{year{2025} / November / day{15}};

// Half-width kana headers, 回収月 counted from 0, 99 and 31 for the month's
// end, holiday rules as codes; a code listed twice with different terms, one
// listed twice alike, a blank code and a closing day no month has.
const QString kProductA = QStringLiteral("得意先ｺｰﾄﾞ,得意先名1,締日,回収月,回収日,休日区分\r\n"
                                         "00123,山田商店,20,1,99,1\r\n"
                                         "00200,鈴木工業,99,2,10,2\r\n"
                                         "00300,佐藤物産,31,0,99,\r\n"
                                         "00400,重複商事,15,1,99,1\r\n"
                                         "00400,重複商事,20,1,99,1\r\n"
                                         "00500,同一商事,10,1,末,1\r\n"
                                         "00500,同一商事,10,1,31,1\r\n"
                                         ",名無し,10,1,99,\r\n"
                                         "00600,読めない,35,1,99,\r\n"
                                         "00700,三十日,30,1,99,0\r\n");

// Words and numbers counted from 1.
const QString kProductB = QStringLiteral("取引先コード,取引先名,締め日,入金月,入金日,休日対応\n"
                                         "B1,北商会,末日,2,31,前倒し\n"
                                         "B2,南商会,15,1,20,そのまま\n"
                                         "B3,東商会,25,翌月,末,翌営業日\n");

const QString kLedger = QStringLiteral("伝票番号,伝票日付,得意先コード,支払条件,金額\n"
                                       "S01,2025/10/05,00123,,1000\n"
                                       "S02,2025/10/05,123,,1000\n"
                                       "S03,2025/10/05,00999,,1000\n"
                                       "S04,2025/10/05,00400,,1000\n"
                                       "S05,2025/10/05,,,1000\n"
                                       "S06,2025/11/10,00200,,1000\n"
                                       "S07,2025/11/10,00300,,1000\n"
                                       "S08,2025/10/05,０００１２３,,1000\n"
                                       "S09,2025/03/31,00700,,1000\n"
                                       "S10,2025/02/10,00700,,1000\n"
                                       "S11,2025/10/05,00600,,1000\n"
                                       "S12,2025/10/05,00123,翌々月10日払い,1000\n"
                                       "S13,2025/10/05,00500,,1000\n"
                                       "S14,2025/10/05,00999,20日締め翌月末払い,1000\n");

CustomerList listOf(const QString& text, MonthCounting counting) {
    auto read = readCustomerList(text, counting);
    if (const auto* problem = std::get_if<QString>(&read))
        qFatal("%s", qPrintable(*problem));
    return std::get<CustomerList>(std::move(read));
}

BatchTable joinedLedger() {
    BatchTable table = readBatch(kLedger, kClock);
    const JudgingBasis basis = basisOf(u"25/11/15"_qs, kDefaultClosingDayIndex, kClock);
    judgeBatch(
        table, basis, startingTerms(basis.closingEntry),
        std::make_shared<const CustomerList>(listOf(kProductA, MonthCounting::ZeroIsThisMonth)));
    return table;
}

} // namespace

class TestCustomerJoin : public QObject {
    Q_OBJECT

  private slots:
    void rowsTakeTheirCustomersTerms_data();
    void rowsTakeTheirCustomersTerms();
    void theNameFollowsTheCode();
    void theListAsRead();
    void monthsCountedFromZeroOrOne_data();
    void monthsCountedFromZeroOrOne();
    void aShiftJisExportReads();
    void listsWithoutTheirColumnsAreRefused_data();
    void listsWithoutTheirColumnsAreRefused();
    void listsAreToldFromLedgers_data();
    void listsAreToldFromLedgers();
};

void TestCustomerJoin::rowsTakeTheirCustomersTerms_data() {
    QTest::addColumn<QString>("slip");
    QTest::addColumn<QString>("closing");
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("note");
    const auto row = [](const char* slip, const char* closing, const char* due,
                        const char* previous, const char* note) {
        QTest::newRow(slip) << QString::fromUtf8(slip) << QString::fromUtf8(closing)
                            << QString::fromUtf8(due) << QString::fromUtf8(previous)
                            << QString::fromUtf8(note);
    };
    // 25/11/30 is a Sunday, 26/01/10 a Saturday before 成人の日, 25/05/31 a
    // Saturday.
    row("S01", "25/10/20", "25/11/28", "Yes", "");
    row("S02", "25/10/20", "25/11/28", "Yes", "コード123を得意先一覧の00123として照合");
    row("S03", "", "", "", "得意先一覧にないコード: 00999");
    row("S04", "", "", "", "得意先一覧のコード00400からは条件が決まりません");
    row("S05", "", "", "", "得意先コードが空です");
    row("S06", "25/11/30", "26/01/13", "No", "");
    row("S07", "25/11/30", "25/11/28", "No", "");
    row("S08", "25/10/20", "25/11/28", "Yes", "コード000123を得意先一覧の00123として照合");
    row("S09", "25/04/30", "25/05/31", "No", "");
    row("S10", "25/02/28", "25/03/31", "No", "");
    row("S11", "", "", "", "得意先一覧のコード00600からは条件が決まりません");
    // The row's own phrase before its customer's, the customer's holiday rule kept.
    row("S12", "25/10/20", "25/12/10", "Yes", "");
    row("S13", "25/10/10", "25/11/28", "Yes", "");
    // Its own cells name all it needs: the unknown code is only noted.
    row("S14", "25/10/20", "25/11/28", "Yes", "得意先一覧にないコード: 00999");
}

void TestCustomerJoin::rowsTakeTheirCustomersTerms() {
    QFETCH(QString, slip);
    const BatchTable table = joinedLedger();
    const auto cells = rowOf(table, slip);
    QTEST(cells.value(u"請求締日"_qs), "closing");
    QTEST(cells.value(u"回収予定日"_qs), "due");
    QTEST(cells.value(u"前回請求"_qs), "previous");
    QFETCH(QString, note);
    QVERIFY2(note.isEmpty() ? cells.value(u"備考"_qs).isEmpty()
                            : cells.value(u"備考"_qs).contains(note),
             qPrintable(cells.value(u"備考"_qs)));
    // Judgements that need no closing day are made whatever the code says.
    QCOMPARE(cells.value(u"年間累計"_qs), u"Yes");
    QCOMPARE(countsOf(table).withoutCustomer, 4);
}

void TestCustomerJoin::theNameFollowsTheCode() {
    const BatchTable table = joinedLedger();
    QStringList headers;
    for (int column = 0; column < batchColumnCount(table); ++column)
        headers.append(batchHeaderText(table, column));
    QCOMPARE(headers.mid(0, 6), (QStringList{u"行"_qs, u"伝票番号"_qs, u"伝票日付"_qs,
                                             u"得意先コード"_qs, u"得意先名"_qs, u"支払条件"_qs}));
    QCOMPARE(rowOf(table, u"S02"_qs).value(u"得意先名"_qs), u"山田商店");
    QCOMPARE(rowOf(table, u"S03"_qs).value(u"得意先名"_qs), QString());
    // A ledger that names its customers keeps its own names.
    BatchTable named = readBatch(u"伝票日付,得意先CD,得意先名\n2025/10/05,00123,山田\n"_qs, kClock);
    judgeBatch(
        named, *joinedLedger().basis, startingTerms(u"20日"),
        std::make_shared<const CustomerList>(listOf(kProductA, MonthCounting::ZeroIsThisMonth)));
    QCOMPARE(batchColumnCount(named), batchColumnCount(readBatch(u"a,b,c\n"_qs, kClock)));
    QCOMPARE(rowOf(named, u"2025/10/05"_qs).value(u"回収予定日"_qs), u"25/11/28");
}

void TestCustomerJoin::theListAsRead() {
    const CustomerList list = listOf(kProductA, MonthCounting::ZeroIsThisMonth);
    QCOMPARE(list.customerCount(), 7);
    QCOMPARE(list.unreadCount(), 1);
    QVERIFY(list.hasNames);
    const QList<QStringList> cells = customerListCells(list);
    QCOMPARE(cells.front(),
             (QStringList{u"コード"_qs, u"得意先名"_qs, u"支払条件"_qs, u"備考"_qs}));
    QCOMPARE(cells[1], (QStringList{u"00123"_qs, u"山田商店"_qs,
                                    u"20日締め翌月末払い 休日は前営業日"_qs, QString()}));
    QCOMPARE(cells[3][2], u"月末締め当月末払い");
    QVERIFY(cells[4][3].contains(u"2回あり、条件が違います"));
    QVERIFY(cells[6][3].contains(u"同じ条件"));
    QCOMPARE(cells[8][3], u"コードが空です");
    QVERIFY2(cells[9][3].startsWith(u"締日の列："), qPrintable(cells[9][3]));
    QCOMPARE(cells[9][2], QString());
    QCOMPARE(cells[10][2], u"30日締め翌月末払い 休日はそのまま");
    // A terms column of payment methods is not needed beside the columns.
    const CustomerList methods =
        listOf(u"得意先コード,締日,回収月,回収日,支払条件\n1,20,1,10,振込\n"_qs,
               MonthCounting::ZeroIsThisMonth);
    QCOMPARE(customerTermsText(*methods.rows.front().terms), u"20日締め翌月10日払い");
    QVERIFY(methods.rows.front().note.contains(u"締日・回収月・回収日の列で計算"));
    // A better name wins over a plainer one to its left.
    QCOMPARE(codeColumnOf(QStringList{u"伝票"_qs, u"コード"_qs, u"得意先コード"_qs}, QString()),
             qsizetype(2));
}

void TestCustomerJoin::monthsCountedFromZeroOrOne_data() {
    QTest::addColumn<int>("counting");
    QTest::addColumn<QStringList>("terms");
    QTest::newRow("1 is this month") << int(MonthCounting::OneIsThisMonth)
                                     << QStringList{u"月末締め翌月末払い 休日は前営業日"_qs,
                                                    u"15日締め当月20日払い 休日はそのまま"_qs,
                                                    u"25日締め翌月末払い 休日は翌営業日"_qs};
    QTest::newRow("0 is this month") << int(MonthCounting::ZeroIsThisMonth)
                                     << QStringList{u"月末締め翌々月末払い 休日は前営業日"_qs,
                                                    u"15日締め翌月20日払い 休日はそのまま"_qs,
                                                    u"25日締め翌月末払い 休日は翌営業日"_qs};
}

void TestCustomerJoin::monthsCountedFromZeroOrOne() {
    QFETCH(int, counting);
    const CustomerList list = listOf(kProductB, MonthCounting(counting));
    QStringList terms;
    for (const CustomerRow& row : list.rows)
        terms.append(row.terms ? customerTermsText(*row.terms) : row.note);
    QTEST(terms, "terms");
}

void TestCustomerJoin::aShiftJisExportReads() {
    const auto bytes = encodeShiftJis(kProductA);
    QVERIFY(bytes);
    const auto text = textOfFileBytes(*bytes);
    QVERIFY(std::holds_alternative<QString>(text));
    const CustomerList list = listOf(std::get<QString>(text), MonthCounting::ZeroIsThisMonth);
    QCOMPARE(list.rows.front().name, u"山田商店");
    QCOMPARE(list.codeHeader, u"得意先ｺｰﾄﾞ");
    QVERIFY(list.rows.front().terms);
}

void TestCustomerJoin::listsWithoutTheirColumnsAreRefused_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::newRow("no code column")
        << u"得意先名,締日,回収月\n山田,20,1\n"_qs << u"得意先コード"_qs;
    QTest::newRow("no terms column") << u"得意先コード,得意先名\n1,山田\n"_qs << u"回収月"_qs;
    QTest::newRow("nothing") << u"\n\n"_qs << u"見出し"_qs;
}

void TestCustomerJoin::listsWithoutTheirColumnsAreRefused() {
    QFETCH(QString, text);
    const auto read = readCustomerList(text, MonthCounting::ZeroIsThisMonth);
    QVERIFY(std::holds_alternative<QString>(read));
    QFETCH(QString, named);
    QVERIFY2(std::get<QString>(read).contains(named), qPrintable(std::get<QString>(read)));
}

void TestCustomerJoin::listsAreToldFromLedgers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("list");
    QTest::newRow("a customer list") << kProductA << true;
    QTest::newRow("a ledger of codes") << kLedger << false;
    QTest::newRow("a master with 登録日")
        << u"得意先コード,締日,回収月,登録日\n1,20,1,2024/04/01\n2,末,1,2024/05/01\n"_qs << false;
    QTest::newRow("a ledger of dates without years")
        << u"伝票日付,得意先コード,支払条件,金額\n10/05,1,20日締め翌月末払い,100\n10/06,2,末締め,5\n"_qs
        << false;
    QTest::newRow("a pasted list") << u"コード\t締日\t支払条件\nA\t20\t翌月末払い\n"_qs << true;
}

void TestCustomerJoin::listsAreToldFromLedgers() {
    QFETCH(QString, text);
    QTEST(readsAsCustomerList(text, kClock), "list");
}

QTEST_APPLESS_MAIN(TestCustomerJoin)
#include "tst_customer_join.moc"
