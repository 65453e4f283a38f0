#include "batch_columns.h"
#include "batch_sort.h"
#include "batch_table.h"
#include "closing_day.h"

#include <QTest>
#include <chrono>

using namespace tokivane;
using namespace std::chrono;

// The orders a click on a column's header gives: rows without a date after
// all dates, equal rows in source order, and "行" back to the source order.

namespace {

const FixedClock kClock{year{2025} / November / day{15}};

int columnNamed(const BatchTable& table, const QString& name) {
    for (int column = 0; column < batchColumnCount(table); ++column)
        if (batchHeaderText(table, column) == name)
            return column;
    return -1;
}

} // namespace

class TestBatchSort : public QObject {
    Q_OBJECT

  private slots:
    void orders_data();
    void orders();
};

void TestBatchSort::orders_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("ascending");
    // Source line numbers in the order shown.
    QTest::addColumn<QList<qsizetype>>("lines");

    QTest::newRow("date, ascending") << u"記録日"_qs << true << QList<qsizetype>{4, 2, 5, 6, 3};
    QTest::newRow("date, descending") << u"記録日"_qs << false << QList<qsizetype>{3, 6, 2, 5, 4};
    QTest::newRow("text of an input column")
        << u"得意先"_qs << true << QList<qsizetype>{3, 5, 2, 6, 4};
    QTest::newRow("judgement: none, No, Yes")
        << u"月報"_qs << true << QList<qsizetype>{3, 4, 6, 2, 5};
    QTest::newRow("line, descending") << u"行"_qs << false << QList<qsizetype>{6, 5, 4, 3, 2};
    QTest::newRow("line, ascending") << u"行"_qs << true << QList<qsizetype>{2, 3, 4, 5, 6};
}

void TestBatchSort::orders() {
    QFETCH(QString, column);
    QFETCH(bool, ascending);
    QFETCH(QList<qsizetype>, lines);
    BatchTable table = readBatch(
        u"日付,得意先\n2025/11/03,b\n未定,a\n2025/10/01,c\n2025/11/03,a\n2025/12/01,b\n"_qs,
        kClock);
    // 月報 on 25/11/15 runs from 25/11/01 to 25/11/15.
    const QString entry = kClosingDayEntries[kDefaultClosingDayIndex].toString();
    const ProcessingDate processing{u"25/11/15"_qs, u"25/11/15"_qs, kClock.today()};
    judgeBatch(table, {processing, entry, judgedRangesOf(processing, entry, kClock)});
    const std::vector<int> rows = sortedRows(table, columnNamed(table, column),
                                             ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    QList<qsizetype> shown;
    for (const int row : rows)
        shown.append(table.rows[row].line);
    QCOMPARE(shown, lines);
}

QTEST_APPLESS_MAIN(TestBatchSort)
#include "tst_batch_sort.moc"
