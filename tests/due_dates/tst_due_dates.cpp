// ClosingDay dates, pay days and the holiday rule against dates checked on a
// calendar, and the closing dates and the business-day rule against their
// definitions on every day whose holidays are known.
#include "business_days.h"
#include "closing.h"
#include "collection_schedule.h"
#include "due_date.h"
#include "holidays.h"

#include <QDate>
#include <QTest>

using namespace tokivane;
using namespace std::chrono;

Q_DECLARE_METATYPE(tokivane::CollectionTerms)

namespace {

Date dateOf(QDate date);

Date dateOf(const char* iso) {
    return dateOf(QDate::fromString(QString::fromLatin1(iso), Qt::ISODate));
}

Date dateOf(QDate date) {
    return year{date.year()} / month{unsigned(date.month())} / day{unsigned(date.day())};
}

QString refusalOf(const std::variant<DueDate, QString>& result) {
    const auto* why = std::get_if<QString>(&result);
    return why ? *why : QString();
}

QDate qdateOf(Date date) {
    return {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day()))};
}

// The banks' closed days as the rule defines them, without the table the
// library looks holidays up in.
bool closedByDefinition(Date date) {
    const weekday day{sys_days{date}};
    const bool yearEnd = (date.month() == December && date.day() == 31d) ||
                         (date.month() == January && date.day() <= 3d);
    return day == Saturday || day == Sunday || yearEnd || holidayName(date).has_value();
}

constexpr auto kPrevious = HolidayRule::PreviousBusinessDay;
constexpr auto kNext = HolidayRule::NextBusinessDay;
constexpr auto kUnchanged = HolidayRule::Unchanged;

CollectionTerms terms(ClosingDay closing, PayDay pay, HolidayRule rule) {
    return {closing, pay, rule};
}

// 月末 closes as day 31 would: on every month's last day.
constexpr int kMonthEndAsDay = 31;

// Whether a closing on day `closingDay` closes on `date`: on that day, or on
// the last day of a month too short for it.
bool closesOn(Date date, int closingDay) {
    const unsigned length{Date{date.year() / date.month() / last}.day()};
    const unsigned day{date.day()};
    return day == unsigned(closingDay) || (day == length && length < unsigned(closingDay));
}

} // namespace

class TestDueDates : public QObject {
    Q_OBJECT

  private slots:
    void dueDate_data();
    void dueDate();
    void refused_data();
    void refused();
    void everyRecordClosesOnTheFirstClosingDayAfter();
    void movedOnlyToTheNearestBusinessDay();
    void movedNoteSaysFromWhereAndWhy();
    void scheduleCoversConsecutivePeriods();
};

void TestDueDates::dueDate_data() {
    QTest::addColumn<QDate>("record");
    QTest::addColumn<CollectionTerms>("terms");
    QTest::addColumn<QDate>("closing");
    QTest::addColumn<QDate>("unadjusted");
    QTest::addColumn<QDate>("due");
    const auto row = [](const char* name, const char* record, CollectionTerms t,
                        const char* closing, const char* unadjusted, const char* due) {
        QTest::newRow(name) << qdateOf(dateOf(record)) << t << qdateOf(dateOf(closing))
                            << qdateOf(dateOf(unadjusted)) << qdateOf(dateOf(due));
    };
    const auto day20 = ClosingDay::onDay(20);
    const auto end = ClosingDay::monthEnd();
    const auto nextMonthEnd = PayDay::monthAndDay(1, kMonthEndPayDay);

    row("month end on a Sunday, previous", "2024-02-20", terms(day20, nextMonthEnd, kPrevious),
        "2024-02-20", "2024-03-31", "2024-03-29");
    row("month end on a Sunday, next", "2024-02-20", terms(day20, nextMonthEnd, kNext),
        "2024-02-20", "2024-03-31", "2024-04-01");
    row("31 December, previous", "2025-11-28", terms(end, nextMonthEnd, kPrevious), "2025-11-30",
        "2025-12-31", "2025-12-30");
    row("31 December, next past the new year", "2025-11-28", terms(end, nextMonthEnd, kNext),
        "2025-11-30", "2025-12-31", "2026-01-05");
    row("31 December, unchanged", "2025-11-28", terms(end, nextMonthEnd, kUnchanged), "2025-11-30",
        "2025-12-31", "2025-12-31");
    row("Golden Week of 2019, previous", "2019-03-10", terms(day20, nextMonthEnd, kPrevious),
        "2019-03-20", "2019-04-30", "2019-04-26");
    row("Golden Week of 2019, next", "2019-03-10", terms(day20, nextMonthEnd, kNext), "2019-03-20",
        "2019-04-30", "2019-05-07");
    row("day 30 of February is its last", "2025-01-01",
        terms(ClosingDay::onDay(5), PayDay::monthAndDay(1, 30), kPrevious), "2025-01-05",
        "2025-02-28", "2025-02-28");
    row("day 30 of a leap February", "2023-08-31",
        terms(end, PayDay::monthAndDay(6, 30), kPrevious), "2023-08-31", "2024-02-29",
        "2024-02-29");
    row("60 days onto 昭和の日, previous", "2025-02-14",
        terms(end, PayDay::daysAfter(60), kPrevious), "2025-02-28", "2025-04-29", "2025-04-28");
    row("60 days onto 昭和の日, next", "2025-02-14", terms(end, PayDay::daysAfter(60), kNext),
        "2025-02-28", "2025-04-29", "2025-04-30");
    row("record on the closing day", "2025-03-20", terms(day20, nextMonthEnd, kPrevious),
        "2025-03-20", "2025-04-30", "2025-04-30");
    row("record past the closing day", "2025-03-21", terms(day20, nextMonthEnd, kPrevious),
        "2025-04-20", "2025-05-31", "2025-05-30");
    row("closing in the next year", "2025-12-21",
        terms(day20, PayDay::monthAndDay(1, 10), kPrevious), "2026-01-20", "2026-02-10",
        "2026-02-10");
    row("当月末 after the closing", "2025-03-10",
        terms(ClosingDay::onDay(15), PayDay::monthAndDay(0, kMonthEndPayDay), kPrevious),
        "2025-03-15", "2025-03-31", "2025-03-31");
    row("当月末 on a month-end closing", "2025-05-02",
        terms(end, PayDay::monthAndDay(0, kMonthEndPayDay), kNext), "2025-05-31", "2025-05-31",
        "2025-06-02");
    row("都度 closes on the record", "2025-06-15",
        terms(ClosingDay::perRecord(), nextMonthEnd, kPrevious), "2025-06-15", "2025-07-31",
        "2025-07-31");
    row("3か月後 onto the year end", "2025-09-25",
        terms(end, PayDay::monthAndDay(3, kMonthEndPayDay), kPrevious), "2025-09-30", "2025-12-31",
        "2025-12-30");
    row("previous business day before the closing", "2025-05-31",
        terms(end, PayDay::monthAndDay(0, kMonthEndPayDay), kPrevious), "2025-05-31", "2025-05-31",
        "2025-05-30");
    row("30日 closes on the last of February", "2025-02-10",
        terms(ClosingDay::onDay(30), nextMonthEnd, kPrevious), "2025-02-28", "2025-03-31",
        "2025-03-31");
    row("30日, a record of the 31st", "2025-03-31",
        terms(ClosingDay::onDay(30), nextMonthEnd, kPrevious), "2025-04-30", "2025-05-31",
        "2025-05-30");
    row("29日 of a leap February", "2024-02-29",
        terms(ClosingDay::onDay(29), PayDay::monthAndDay(1, 10), kPrevious), "2024-02-29",
        "2024-03-10", "2024-03-08");
    row("last known year", "2099-10-25", terms(end, PayDay::monthAndDay(2, 30), kPrevious),
        "2099-10-31", "2099-12-30", "2099-12-30");
}

void TestDueDates::dueDate() {
    QFETCH(QDate, record);
    QFETCH(CollectionTerms, terms);
    const auto result = dueDateOf(dateOf(record), terms);
    QVERIFY2(std::holds_alternative<DueDate>(result), qPrintable(refusalOf(result)));
    const DueDate& due = std::get<DueDate>(result);
    QTEST(qdateOf(due.closing), "closing");
    QTEST(qdateOf(due.unadjusted), "unadjusted");
    QTEST(qdateOf(due.due), "due");
}

void TestDueDates::refused_data() {
    QTest::addColumn<QDate>("record");
    QTest::addColumn<CollectionTerms>("terms");
    QTest::addColumn<QString>("says");
    const auto row = [](const char* name, const char* record, CollectionTerms t, const char* says) {
        QTest::newRow(name) << qdateOf(dateOf(record)) << t << QString::fromUtf8(says);
    };
    row("当月 pay day before the closing", "2025-01-15",
        terms(ClosingDay::onDay(20), PayDay::monthAndDay(0, 10), kPrevious), "より前");
    row("closing past 2099", "2099-12-25",
        terms(ClosingDay::onDay(20), PayDay::monthAndDay(1, 10), kPrevious), "2099年");
    row("pay day past 2099", "2099-11-10",
        terms(ClosingDay::monthEnd(), PayDay::monthAndDay(2, 10), kPrevious), "2099年");
    row("moved past 2099", "2099-11-10",
        terms(ClosingDay::monthEnd(), PayDay::daysAfter(31), kNext), "2099年");
    row("before 2000", "1999-12-31", terms(ClosingDay::monthEnd(), PayDay::daysAfter(31), kNext),
        "2000年");
    row("closing day 31", "2025-01-15",
        terms(ClosingDay::onDay(31), PayDay::monthAndDay(1, 10), kPrevious), "回収条件");
}

void TestDueDates::refused() {
    QFETCH(QDate, record);
    QFETCH(CollectionTerms, terms);
    QFETCH(QString, says);
    const auto result = dueDateOf(dateOf(record), terms);
    QVERIFY2(refusalOf(result).contains(says), qPrintable(refusalOf(result)));
}

// Every record date of the known years on every closing day with periods
// (1日 to 30日, 月末): its closing date is the first day on or after it that
// the closing closes on, the record lies in that closing's period, and the
// closings before and after it are its neighbours. Walked backwards, so the
// first closing on or after each day is the latest one seen.
void TestDueDates::everyRecordClosesOnTheFirstClosingDayAfter() {
    const sys_days firstRecord{2000y / January / 1d};
    const sys_days lastRecord{2099y / December / 31d};
    for (int index = 0; index + 1 < kClosingDayCount; ++index) {
        const ClosingDay closing = closingDayAt(index);
        const int closingDay =
            closing.kind == ClosingDay::Kind::MonthEnd ? kMonthEndAsDay : closing.day;
        // Every closing day falls in January, which holds all 31 days.
        sys_days expected{};
        for (sys_days record{2100y / January / 31d}; record >= firstRecord; record -= days{1}) {
            if (closesOn(Date{record}, closingDay))
                expected = record;
            if (record > lastRecord)
                continue;
            const sys_days actual{closingDateOf(Date{record}, closing)};
            const sys_days previous{previousClosingDate(Date{actual}, closing)};
            const sys_days next{nextClosingDate(Date{actual}, closing)};
            const bool right = actual == expected && previous < record &&
                               sys_days{nextClosingDate(Date{previous}, closing)} == actual &&
                               next == sys_days{closingDateOf(Date{actual + days{1}}, closing)};
            if (!right)
                QFAIL(qPrintable(u"%1 on %2: closes %3 (expected %4), after %5, before %6"_qs.arg(
                    qdateOf(Date{record}).toString(Qt::ISODate), closingDayCaption(closing),
                    qdateOf(Date{actual}).toString(Qt::ISODate),
                    qdateOf(Date{expected}).toString(Qt::ISODate),
                    qdateOf(Date{previous}).toString(Qt::ISODate),
                    qdateOf(Date{next}).toString(Qt::ISODate))));
        }
    }
}

// Every day of the known years as an unadjusted due date: a moved date is a
// business day with none between it and where it came from.
void TestDueDates::movedOnlyToTheNearestBusinessDay() {
    for (sys_days day{2000y / January / 4d}; day <= sys_days{2099y / December / 20d};
         day += days{1}) {
        const Date date{day};
        QCOMPARE(isBusinessDay(date), !closedByDefinition(date));
        for (const HolidayRule rule : {kPrevious, kNext}) {
            const sys_days moved{movedOffClosedDays(date, rule)};
            QVERIFY(!closedByDefinition(Date{moved}));
            const auto [from, to] = std::minmax(day, moved);
            for (sys_days between = from + days{1}; between < to; between += days{1})
                QVERIFY(closedByDefinition(Date{between}));
            QVERIFY(rule == kPrevious ? moved <= day : moved >= day);
        }
    }
}

void TestDueDates::movedNoteSaysFromWhereAndWhy() {
    const auto due = std::get<DueDate>(
        dueDateOf(dateOf("2025-11-28"), terms(ClosingDay::monthEnd(),
                                              PayDay::monthAndDay(1, kMonthEndPayDay), kPrevious)));
    QCOMPARE(movedNote(due, kPrevious), QStringLiteral("25/12/31（水）銀行休業日 → 前営業日"));
    const auto onHoliday = std::get<DueDate>(dueDateOf(
        dateOf("2025-02-14"), terms(ClosingDay::monthEnd(), PayDay::daysAfter(60), kNext)));
    QCOMPARE(movedNote(onHoliday, kNext), QStringLiteral("25/04/29（火）昭和の日 → 翌営業日"));
    const DueDate notMoved{dateOf("2025-03-15"), dateOf("2025-03-31"), dateOf("2025-03-31")};
    QVERIFY(movedNote(notMoved, kPrevious).isEmpty());
}

void TestDueDates::scheduleCoversConsecutivePeriods() {
    const auto monthly =
        terms(ClosingDay::onDay(20), PayDay::monthAndDay(1, kMonthEndPayDay), kPrevious);
    const CollectionSchedule schedule = scheduleOf(dateOf("2025-11-10"), monthly);
    QCOMPARE(int(schedule.rows.size()), kScheduleClosings);
    QVERIFY(schedule.stoppedBecause.isEmpty());
    QCOMPARE(schedule.rows.front().periodStart, dateOf("2025-10-21"));
    QCOMPARE(schedule.rows.front().due.closing, dateOf("2025-11-20"));
    QCOMPARE(schedule.rows[1].due.due, dateOf("2026-01-30"));
    for (std::size_t i = 1; i < schedule.rows.size(); ++i)
        QCOMPARE(schedule.rows[i].periodStart,
                 Date{sys_days{schedule.rows[i - 1].due.closing} + days{1}});

    const auto perRecord = scheduleOf(dateOf("2025-06-15"),
                                      terms(ClosingDay::perRecord(), PayDay::daysAfter(30), kNext));
    QCOMPARE(int(perRecord.rows.size()), 1);
    QCOMPARE(perRecord.rows.front().periodStart, dateOf("2025-06-15"));

    // A 30日 period starts the day after February's closing on the 28th.
    const auto day30 = scheduleOf(dateOf("2025-02-10"),
                                  terms(ClosingDay::onDay(30), PayDay::daysAfter(30), kPrevious));
    QCOMPARE(day30.rows[1].periodStart, dateOf("2025-03-01"));
    QCOMPARE(day30.rows[1].due.closing, dateOf("2025-03-30"));
    QCOMPARE(day30.rows[2].periodStart, dateOf("2025-03-31"));

    const auto lastYear = scheduleOf(dateOf("2099-06-10"), monthly);
    QCOMPARE(int(lastYear.rows.size()), 6);
    QVERIFY(lastYear.stoppedBecause.contains(u"2099年"));
}

QTEST_APPLESS_MAIN(TestDueDates)
#include "tst_due_dates.moc"
