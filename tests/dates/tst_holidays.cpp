// The holiday calendar against dates that test each rule of the holiday law,
// and against the official lists of two recent years, written out.
#include "holidays.h"

#include <QDate>
#include <QTest>

using namespace tokivane;

namespace {

Date dateOf(QDate date) {
    return Date{std::chrono::year{date.year()}, std::chrono::month{unsigned(date.month())},
                std::chrono::day{unsigned(date.day())}};
}

QString nameOf(QDate date) {
    return holidayName(dateOf(date)).value_or(QString());
}

} // namespace

class TestHolidays : public QObject {
    Q_OBJECT

  private slots:
    void followsTheLaw_data();
    void followsTheLaw();
    void yearIsTheOfficialList_data();
    void yearIsTheOfficialList();
};

void TestHolidays::followsTheLaw_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("name");
    const auto row = [](const char* title, const char* date, const char* name) {
        QTest::newRow(title) << QDate::fromString(QString::fromLatin1(date), Qt::ISODate)
                             << QString::fromUtf8(name);
    };

    row("first day of the range", "2000-01-01", "元日");
    row("last day of the range", "2099-12-31", "");
    row("成人の日 on the second Monday", "2000-01-10", "成人の日");
    row("体育の日 on the second Monday", "2000-10-09", "体育の日");

    // Both ends of each change.
    row("海の日 on 7/20 up to 2002", "2002-07-20", "海の日");
    row("敬老の日 on 9/15 up to 2002", "2002-09-15", "敬老の日");
    row("敬老の日 of 2002 on a Sunday", "2002-09-16", "振替休日");
    row("7/20 of 2003 an ordinary Sunday", "2003-07-20", "");
    row("海の日 on the third Monday from 2003", "2003-07-21", "海の日");
    row("敬老の日 on the third Monday from 2003", "2004-09-20", "敬老の日");
    row("9/15 of 2004 an ordinary day", "2004-09-15", "");
    row("Sunday between holidays up to 2006", "2003-05-04", "");
    row("Monday after a Sunday holiday up to 2006", "2006-01-02", "振替休日");
    row("みどりの日 on 4/29 up to 2006", "2006-04-29", "みどりの日");
    row("5/4 between holidays up to 2006", "2006-05-04", "休日");
    row("昭和の日 from 2007", "2007-04-29", "昭和の日");
    row("昭和の日 of 2007 on a Sunday", "2007-04-30", "振替休日");
    row("みどりの日 on 5/4 from 2007", "2007-05-04", "みどりの日");
    row("8/11 of 2015 an ordinary day", "2015-08-11", "");
    row("山の日 from 2016", "2016-08-11", "山の日");
    row("天皇誕生日 on 12/23 up to 2018", "2018-12-23", "天皇誕生日");
    row("天皇誕生日 of 2018 on a Sunday", "2018-12-24", "振替休日");
    row("2/23 of 2019 an ordinary Saturday", "2019-02-23", "");
    row("12/23 of 2019 an ordinary Monday", "2019-12-23", "");
    row("天皇誕生日 on 2/23 from 2020", "2020-02-23", "天皇誕生日");
    row("天皇誕生日 of 2020 on a Sunday", "2020-02-24", "振替休日");
    row("体育の日 up to 2019", "2019-10-14", "体育の日");
    row("スポーツの日 from 2022 on the second Monday", "2022-10-10", "スポーツの日");

    // The years the law set days of their own.
    row("2019 the day before the enthronement", "2019-04-30", "休日");
    row("2019 the enthronement", "2019-05-01", "休日（祝日扱い）");
    row("2019 the day after the enthronement", "2019-05-02", "休日");
    row("2019 こどもの日 on a Sunday", "2019-05-06", "振替休日");
    row("2019 the enthronement ceremony", "2019-10-22", "休日（祝日扱い）");
    row("2020 海の日 moved", "2020-07-23", "海の日");
    row("2020 スポーツの日 moved", "2020-07-24", "スポーツの日");
    row("2020 山の日 moved", "2020-08-10", "山の日");
    row("2020 third Monday of July ordinary", "2020-07-20", "");
    row("2020 8/11 ordinary", "2020-08-11", "");
    row("2020 second Monday of October ordinary", "2020-10-12", "");
    row("2021 海の日 moved", "2021-07-22", "海の日");
    row("2021 スポーツの日 moved", "2021-07-23", "スポーツの日");
    row("2021 山の日 moved to a Sunday", "2021-08-08", "山の日");
    row("2021 山の日 on a Sunday", "2021-08-09", "振替休日");
    row("2021 third Monday of July ordinary", "2021-07-19", "");
    row("2021 8/11 ordinary", "2021-08-11", "");
    row("2021 second Monday of October ordinary", "2021-10-11", "");

    // A Sunday holiday moves past the holidays after it.
    row("substitute on a Tuesday 2008", "2008-05-06", "振替休日");
    row("substitute on a Wednesday 2009", "2009-05-06", "振替休日");
    row("substitute on a Wednesday 2020", "2020-05-06", "振替休日");
    row("substitute on a Tuesday 2025", "2025-05-06", "振替休日");
    row("substitute on a Wednesday 2026", "2026-05-06", "振替休日");

    // Every day of 2000 to 2099 between two holidays.
    row("between holidays 2000-05-04", "2000-05-04", "休日");
    row("between holidays 2001-05-04", "2001-05-04", "休日");
    row("between holidays 2002-05-04, a Saturday", "2002-05-04", "休日");
    row("between holidays 2004-05-04", "2004-05-04", "休日");
    row("between holidays 2005-05-04", "2005-05-04", "休日");
    row("between holidays 2009-09-22", "2009-09-22", "休日");
    row("between holidays 2015-09-22", "2015-09-22", "休日");
    row("between holidays 2026-09-22", "2026-09-22", "休日");
    row("between holidays 2032-09-21", "2032-09-21", "休日");
    row("between holidays 2037-09-22", "2037-09-22", "休日");
    row("between holidays 2043-09-22", "2043-09-22", "休日");
    row("between holidays 2049-09-21", "2049-09-21", "休日");
    row("between holidays 2054-09-22", "2054-09-22", "休日");
    row("between holidays 2060-09-21", "2060-09-21", "休日");
    row("between holidays 2071-09-22", "2071-09-22", "休日");
    row("between holidays 2077-09-21", "2077-09-21", "休日");
    row("between holidays 2088-09-21", "2088-09-21", "休日");
    row("between holidays 2094-09-21", "2094-09-21", "休日");
    row("between holidays 2099-09-22", "2099-09-22", "休日");

    // The equinox formula, also where its fraction is nearly whole.
    row("春分の日 2092 on 3/19", "2092-03-19", "春分の日");
    row("春分の日 2096 on 3/19", "2096-03-19", "春分の日");
    row("3/20 of 2096 ordinary", "2096-03-20", "");
    row("春分の日 2088 just past the 20th", "2088-03-20", "春分の日");
    row("秋分の日 2012 just short of the 23rd", "2012-09-22", "秋分の日");
    row("9/23 of 2012 ordinary", "2012-09-23", "");
}

void TestHolidays::followsTheLaw() {
    QFETCH(QDate, date);
    QFETCH(QString, name);
    QVERIFY(date.isValid());
    QCOMPARE(nameOf(date), name);
}

void TestHolidays::yearIsTheOfficialList_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QStringList>("holidays");

    QTest::newRow("2025") << 2025
                          << QStringList{
                                 u"01-01 元日"_qs,         u"01-13 成人の日"_qs,
                                 u"02-11 建国記念の日"_qs, u"02-23 天皇誕生日"_qs,
                                 u"02-24 振替休日"_qs,     u"03-20 春分の日"_qs,
                                 u"04-29 昭和の日"_qs,     u"05-03 憲法記念日"_qs,
                                 u"05-04 みどりの日"_qs,   u"05-05 こどもの日"_qs,
                                 u"05-06 振替休日"_qs,     u"07-21 海の日"_qs,
                                 u"08-11 山の日"_qs,       u"09-15 敬老の日"_qs,
                                 u"09-23 秋分の日"_qs,     u"10-13 スポーツの日"_qs,
                                 u"11-03 文化の日"_qs,     u"11-23 勤労感謝の日"_qs,
                                 u"11-24 振替休日"_qs,
                             };
    QTest::newRow("2026") << 2026
                          << QStringList{
                                 u"01-01 元日"_qs,         u"01-12 成人の日"_qs,
                                 u"02-11 建国記念の日"_qs, u"02-23 天皇誕生日"_qs,
                                 u"03-20 春分の日"_qs,     u"04-29 昭和の日"_qs,
                                 u"05-03 憲法記念日"_qs,   u"05-04 みどりの日"_qs,
                                 u"05-05 こどもの日"_qs,   u"05-06 振替休日"_qs,
                                 u"07-20 海の日"_qs,       u"08-11 山の日"_qs,
                                 u"09-21 敬老の日"_qs,     u"09-22 休日"_qs,
                                 u"09-23 秋分の日"_qs,     u"10-12 スポーツの日"_qs,
                                 u"11-03 文化の日"_qs,     u"11-23 勤労感謝の日"_qs,
                             };
}

void TestHolidays::yearIsTheOfficialList() {
    QFETCH(int, year);
    QFETCH(QStringList, holidays);
    QStringList found;
    for (QDate date(year, 1, 1); date.year() == year; date = date.addDays(1))
        if (const QString name = nameOf(date); !name.isEmpty())
            found << date.toString(u"MM-dd") + u' ' + name;
    QCOMPARE(found, holidays);
}

QTEST_APPLESS_MAIN(TestHolidays)
#include "tst_holidays.moc"
