#include "full_date.h"

#include <QDate>
#include <QTest>

using namespace tokivane;

class TestFullDate : public QObject {
    Q_OBJECT

  private slots:
    void writesWeekdayAndEra_data();
    void writesWeekdayAndEra();
};

void TestFullDate::writesWeekdayAndEra_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("full");

    QTest::newRow("first day of the range")
        << QDate(2000, 1, 1) << u"2000年1月1日（土）元日 平成12年"_qs;
    QTest::newRow("last day of Heisei")
        << QDate(2019, 4, 30) << u"2019年4月30日（火）休日 平成31年"_qs;
    QTest::newRow("first day of Reiwa")
        << QDate(2019, 5, 1) << u"2019年5月1日（水）休日（祝日扱い） 令和元年"_qs;
    QTest::newRow("second year of Reiwa")
        << QDate(2020, 1, 1) << u"2020年1月1日（水）元日 令和2年"_qs;
    QTest::newRow("last day of the range")
        << QDate(2099, 12, 31) << u"2099年12月31日（木）令和81年"_qs;
    QTest::newRow("Monday") << QDate(2025, 11, 17) << u"2025年11月17日（月）令和7年"_qs;
    QTest::newRow("Tuesday") << QDate(2025, 11, 18) << u"2025年11月18日（火）令和7年"_qs;
    QTest::newRow("Wednesday") << QDate(2025, 11, 19) << u"2025年11月19日（水）令和7年"_qs;
    QTest::newRow("Thursday") << QDate(2025, 11, 20) << u"2025年11月20日（木）令和7年"_qs;
    QTest::newRow("Friday") << QDate(2025, 11, 21) << u"2025年11月21日（金）令和7年"_qs;
    QTest::newRow("Saturday") << QDate(2025, 11, 22) << u"2025年11月22日（土）令和7年"_qs;
    QTest::newRow("Sunday, a holiday")
        << QDate(2025, 11, 23) << u"2025年11月23日（日）勤労感謝の日 令和7年"_qs;
    QTest::newRow("Monday, a substitute holiday")
        << QDate(2025, 11, 24) << u"2025年11月24日（月）振替休日 令和7年"_qs;
}

void TestFullDate::writesWeekdayAndEra() {
    QFETCH(QDate, date);
    QFETCH(QString, full);
    const Date ymd{std::chrono::year{date.year()}, std::chrono::month{unsigned(date.month())},
                   std::chrono::day{unsigned(date.day())}};
    QCOMPARE(fullDateText(ymd), full);
}

QTEST_APPLESS_MAIN(TestFullDate)
#include "tst_full_date.moc"
