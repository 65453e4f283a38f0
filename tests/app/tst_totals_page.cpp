// 一括判定's 集計 tab on a real window: the tables follow the ledger, the
// 対象 and 金額 choices and the 回収条件 line; copies hold the three tables
// under their titles with plain figures; unreadable amounts say why.
#include "amount_chart.h"
#include "batch_window.h"
#include "closing_day.h"
#include "memory_form.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace tokivane;
using namespace std::chrono;

namespace {

const FixedClock kClock{year{2025} / November / day{15}};

// 20日締め翌月末 (the line's terms): 10/05 and 10/20 fall due on 25/11/28
// (11/30 is a Sunday), 11/10 on 25/12/30 (12/31 the banks close).
const QString kLedger = QStringLiteral("伝票番号\t売上日\t得意先\t税込金額\n"
                                       "A1\t2025/10/05\t山田\t1,234\n"
                                       "A2\t2025/10/20\t山田\t¥2,000\n"
                                       "A3\t2025/11/10\t鈴木\t▲500\n"
                                       "A4\t2025/11/10\t鈴木\tabc\n"
                                       "A5\t2025/11/12\t鈴木\t\n");

struct Window {
    BatchWindow batch{kClock, [] {
                          const MemoryForm form(u"25/11/15"_qs, u"25/11/15"_qs,
                                                kDefaultClosingDayIndex);
                          return judgingBasisOf(form, kClock);
                      }};

    template <typename T> T* find(const QString& name) {
        T* found = batch.findChild<T*>(name);
        if (!found)
            qFatal("no %s", qPrintable(name));
        return found;
    }
    QAbstractItemModel& table(const QString& name) { return *find<QTableView>(name)->model(); }
    void showTotals() { find<QTabWidget>(u"batchTabs"_qs)->setCurrentIndex(2); }
    // The 合計 line of 回収予定日別: 件数 and 金額.
    QStringList dueTotal() {
        QAbstractItemModel& model = table(u"dueTotalsTable"_qs);
        const int last = model.rowCount() - 1;
        return {model.index(last, 0).data().toString(), model.index(last, 2).data().toString(),
                model.index(last, 3).data().toString()};
    }
};

} // namespace

class TestTotalsPage : public QObject {
    Q_OBJECT

  private slots:
    void totalsFollowTheLedgerAndChoices();
    void copiesHoldTheThreeTables();
    void unreadableAmountsGiveAnEmptyChart();
};

void TestTotalsPage::totalsFollowTheLedgerAndChoices() {
    Window window;
    window.batch.show();
    window.batch.openText(kLedger);
    window.showTotals();
    QCOMPARE(window.dueTotal(), (QStringList{u"合計"_qs, u"3"_qs, u"2,734"_qs}));
    QAbstractItemModel& due = window.table(u"dueTotalsTable"_qs);
    QCOMPARE(due.index(0, 0).data().toString(), u"25/11/28");
    QCOMPARE(due.index(0, 3).data().toString(), u"3,234");
    QCOMPARE(due.index(1, 4).data().toString(), u"2,734"); // 累計
    QVERIFY(window.find<QLabel>(u"totalsStatus"_qs)->text().contains(u"1"));
    // The ledger's 備考 says why a cell is no amount.
    QAbstractItemModel& ledger = window.table(u"batchTable"_qs);
    QVERIFY(ledger.index(3, ledger.columnCount() - 1).data().toString().contains(u"税込金額の列"));

    // 今回請求 (10/21 to 11/15) holds the two rows of November.
    window.find<QComboBox>(u"targetBox"_qs)->setCurrentText(u"今回請求"_qs);
    QCOMPARE(window.dueTotal(), (QStringList{u"合計"_qs, u"1"_qs, u"-500"_qs}));

    // Under 10日締め the row of 10/20 closes on 11/10 and falls due with November's.
    window.find<QComboBox>(u"targetBox"_qs)->setCurrentIndex(0);
    window.find<QComboBox>(u"closingBox"_qs)->setCurrentText(u"10日"_qs);
    QCOMPARE(due.index(0, 3).data().toString(), u"1,234");
    QCOMPARE(due.index(1, 3).data().toString(), u"1,500");
    QCOMPARE(window.dueTotal(), (QStringList{u"合計"_qs, u"3"_qs, u"2,734"_qs}));

    // Another amount column: 得意先 holds no amounts.
    auto* amount = window.find<QComboBox>(u"amountBox"_qs);
    QCOMPARE(amount->currentText(), u"税込金額");
    amount->setCurrentText(u"得意先"_qs);
    emit amount->activated(amount->currentIndex());
    QCOMPARE(window.dueTotal(), (QStringList{u"合計"_qs, u"0"_qs, u"0"_qs}));
    QVERIFY(ledger.index(0, ledger.columnCount() - 1).data().toString().contains(u"得意先の列"));
}

void TestTotalsPage::copiesHoldTheThreeTables() {
    Window window;
    window.batch.show();
    window.batch.openText(kLedger);
    window.showTotals();
    const QList<QStringList> cells = window.batch.currentCells();
    QStringList titles;
    for (qsizetype at = 0; at < cells.size(); ++at)
        if (cells[at].size() == 1 && !cells[at].front().isEmpty())
            titles.append(cells[at].front());
    QCOMPARE(titles, (QStringList{u"回収予定日別"_qs, u"請求締日・得意先別"_qs, u"月別"_qs}));
    QCOMPARE(cells[2], (QStringList{u"25/11/28"_qs, u"金"_qs, u"2"_qs, u"3234"_qs, u"3234"_qs}));
    // Each table after the first begins after an empty line.
    for (qsizetype at = 1; at < cells.size(); ++at)
        if (cells[at].size() == 1 && !cells[at].front().isEmpty())
            QCOMPARE(cells[at - 1].join(QString()), QString());
}

void TestTotalsPage::unreadableAmountsGiveAnEmptyChart() {
    Window window;
    window.batch.show();
    window.batch.openText(u"売上日\t金額\n2025/10/05\t1,23,4\n2025/10/06\tなし\n"_qs);
    window.showTotals();
    auto* chart = window.find<AmountChart>(u"totalsChart"_qs);
    QCOMPARE(chart->focusedBar(), -1);
    QVERIFY(window.find<QLabel>(u"totalsStatus"_qs)->text().contains(u"2"));
    QCOMPARE(window.dueTotal(), (QStringList{u"合計"_qs, u"0"_qs, u"0"_qs}));
}

QTEST_MAIN(TestTotalsPage)
#include "tst_totals_page.moc"
