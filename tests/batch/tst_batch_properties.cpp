#include "batch_columns.h"
#include "batch_table.h"
#include "closing_day.h"
#include "execute.h"
#include "judged_rows.h"
#include "judging_ranges.h"
#include "memory_form.h"

#include <QTest>
#include <chrono>
#include <variant>

using namespace tokivane;
using namespace std::chrono;

// For every record date of two whole years, the batch judgement equals what
// Execute shows in the window's judgement fields, for processing dates of
// several kinds and every closing-day entry.

namespace {

const FixedClock kClock{year{2025} / November / day{15}};
constexpr sys_days kFirstRecord{year{2024} / January / 1};
constexpr sys_days kLastRecord{year{2025} / December / 31};

// The record dates written in the forms a file holds them, rotating.
QString writtenForm(sys_days date, int kind) {
    const year_month_day ymd{date};
    const int y = static_cast<int>(ymd.year());
    const unsigned m{ymd.month()};
    const unsigned d{ymd.day()};
    switch (kind % 3) {
    case 0:
        return QString::asprintf("%d/%u/%u", y, m, d);
    case 1:
        return QString::asprintf("R%d.%u.%u", y - 2018, m, d);
    default:
        return QString::asprintf("%02d/%02u/%02u", y % 100, m, d);
    }
}

} // namespace

class TestBatchProperties : public QObject {
    Q_OBJECT

  private slots:
    void batchEqualsExecute_data();
    void batchEqualsExecute();
};

void TestBatchProperties::batchEqualsExecute_data() {
    // As typed in the processing date box, some without leading zeros.
    QTest::addColumn<QString>("processing");
    QTest::newRow("month end") << u"25/01/31"_qs;
    QTest::newRow("leap day") << u"24/02/29"_qs;
    QTest::newRow("first of March after a leap day") << u"24/03/01"_qs;
    QTest::newRow("fiscal year start") << u"24/12/01"_qs;
    QTest::newRow("year end") << u"24/12/31"_qs;
    QTest::newRow("new year") << u"25/1/1"_qs;
    QTest::newRow("Monday") << u"25/11/17"_qs;
    QTest::newRow("Sunday, typed short") << u"25/6/1"_qs;
    QTest::newRow("day before a closing") << u"25/09/19"_qs;
    QTest::newRow("30th of a 31-day month") << u"25/10/30"_qs;
}

void TestBatchProperties::batchEqualsExecute() {
    QFETCH(QString, processing);
    QString records;
    for (sys_days date = kFirstRecord; date <= kLastRecord; ++date)
        records += writtenForm(date, static_cast<int>((date - kFirstRecord).count())) + u'\n';
    const BatchTable read = readBatch(records, kClock);
    QCOMPARE(read.rows.size(), (kLastRecord - kFirstRecord).count() + 1);
    int firstJudgement = 0;
    while (batchColumnAt(read, firstJudgement).kind != ColumnKind::Judgement)
        ++firstJudgement;

    for (int entry = 0; entry < static_cast<int>(kClosingDayEntries.size()); ++entry) {
        MemoryForm form(processing, processing, entry);
        const auto basis = judgingBasisOf(form, kClock);
        QVERIFY(std::holds_alternative<JudgingBasis>(basis));
        BatchTable table = read;
        judgeBatch(table, std::get<JudgingBasis>(basis));
        for (const BatchRow& row : table.rows) {
            QVERIFY(row.date.has_value());
            form.setBox(DateBox::Text2, dateTextOf(*row.date));
            Execute(form, kClock);
            for (int at = 0; at < kJudgedRangeCount; ++at) {
                const OutputField field = kJudgedRows[static_cast<std::size_t>(at)].judgement;
                if (batchCellText(table, row, firstJudgement + at) != form.caption(field))
                    QFAIL(qPrintable(u"record %1, entry %2: %3 is %4 in the window"_qs.arg(
                        cellsOf(table, row).front(), kClosingDayEntries[entry].toString(),
                        batchHeaderText(table, firstJudgement + at), form.caption(field))));
            }
        }
        QVERIFY(form.messages().isEmpty());
    }
}

QTEST_APPLESS_MAIN(TestBatchProperties)
#include "tst_batch_properties.moc"
