#include "complete_date.h"
#include "date_text.h"
#include "text_chars.h"

#include <QTest>

using namespace tokivane;
using namespace std::chrono;

namespace {

// Today in the examples: 15 November 2025.
const FixedClock kToday{year{2025} / November / day{15}};

QString completed(QString text, const Clock& clock = kToday) {
    CompleteDate(text, clock);
    return text;
}

} // namespace

class TestCompleteDate : public QObject {
    Q_OBJECT

  private slots:
    void completesAbbreviations_data();
    void completesAbbreviations();
    void leapDecisionFollowsTheResultYear_data();
    void leapDecisionFollowsTheResultYear();
    void correctsOnlyTheMonthEndTable_data();
    void correctsOnlyTheMonthEndTable();
    void alwaysGivesEightCharacters_data();
    void alwaysGivesEightCharacters();
    void canonicalTextOfEveryRealDateComesBackUnchanged();
    void readsTodayOnEveryCall();
};

void TestCompleteDate::completesAbbreviations_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");

    QTest::newRow("Enter alone is today") << ""
                                          << "25/11/15";
    QTest::newRow("one-digit day") << "3"
                                   << "25/11/03";
    QTest::newRow("two-digit day") << "11"
                                   << "25/11/11";
    QTest::newRow("three digits keep the last two") << "123"
                                                    << "25/11/23";
    QTest::newRow("31 November") << "31"
                                 << "25/11/30";
    QTest::newRow("month and day") << "11/2"
                                   << "25/11/02";
    QTest::newRow("month and two-digit day") << "11/03"
                                             << "25/11/03";
    QTest::newRow("29 February, common year") << "2/29"
                                              << "25/02/28";
    QTest::newRow("30 February, common year") << "2/30"
                                              << "25/02/28";
    QTest::newRow("31 April") << "4/31"
                              << "25/04/30";
    QTest::newRow("31 December stays") << "12/31"
                                       << "25/12/31";
    QTest::newRow("30 February, leap year") << "24/2/30"
                                            << "24/02/29";
    QTest::newRow("four-digit year cut") << "2024/2/29"
                                         << "24/02/29";
    QTest::newRow("leap day kept") << "28/2/29"
                                   << "28/02/29";
    QTest::newRow("day 00 not corrected") << "5/0"
                                          << "25/05/00";
    QTest::newRow("month 13 not corrected") << "13/5"
                                            << "25/13/05";
    QTest::newRow("extra slashes") << "1/2/3/4"
                                   << "01/02/04";
    QTest::newRow("more extra slashes") << "1/2/3/4/5"
                                        << "01/02//5";
    QTest::newRow("full-width month and day") << u"１１／３"_qs << "25/11/03";
    QTest::newRow("full-width day alone") << u"９"_qs << "25/11/09";
    QTest::newRow("full-width full date") << u"２４／２／３０"_qs << "24/02/29";
    QTest::newRow("mixed widths") << u"1２/3１"_qs << "25/12/31";
    QTest::newRow("full date unchanged") << "26/03/10"
                                         << "26/03/10";
    QTest::newRow("blank before year is cut off") << " 26/01/05"
                                                  << "26/01/05";
    QTest::newRow("letters are filled, not corrected") << "ab/cd/ef"
                                                       << "ab/cd/ef";
    QTest::newRow("single blank") << " "
                                  << "25/11/0 ";
}

void TestCompleteDate::completesAbbreviations() {
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QCOMPARE(completed(typed), result);
}

void TestCompleteDate::leapDecisionFollowsTheResultYear_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");

    QTest::newRow("2/29 typed in 2024") << QDate(2024, 6, 1) << "2/29"
                                        << "24/02/29";
    QTest::newRow("2/29 typed in 2025") << QDate(2025, 6, 1) << "2/29"
                                        << "25/02/28";
    QTest::newRow("2/31 typed in 2000") << QDate(2000, 6, 1) << "2/31"
                                        << "00/02/29";
    QTest::newRow("29 alone in February 2100 reads as year 00") << QDate(2100, 2, 1) << "29"
                                                                << "00/02/29";
    QTest::newRow("typed year wins over today") << QDate(2024, 6, 1) << "25/2/29"
                                                << "25/02/28";
}

void TestCompleteDate::leapDecisionFollowsTheResultYear() {
    QFETCH(QDate, today);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    const FixedClock clock{year{today.year()} / month{static_cast<unsigned>(today.month())} /
                           day{static_cast<unsigned>(today.day())}};
    QCOMPARE(completed(typed, clock), result);
}

void TestCompleteDate::correctsOnlyTheMonthEndTable_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");

    QTest::newRow("02/31 leap") << "28/02/31"
                                << "28/02/29";
    QTest::newRow("02/30 leap") << "28/02/30"
                                << "28/02/29";
    QTest::newRow("02/29 leap") << "28/02/29"
                                << "28/02/29";
    QTest::newRow("02/31 common") << "27/02/31"
                                  << "27/02/28";
    QTest::newRow("02/30 common") << "27/02/30"
                                  << "27/02/28";
    QTest::newRow("02/29 common") << "27/02/29"
                                  << "27/02/28";
    QTest::newRow("04/31") << "27/04/31"
                           << "27/04/30";
    QTest::newRow("06/31") << "28/06/31"
                           << "28/06/30";
    QTest::newRow("09/31") << "27/09/31"
                           << "27/09/30";
    QTest::newRow("11/31") << "28/11/31"
                           << "28/11/30";
    QTest::newRow("02/28 untouched") << "27/02/28"
                                     << "27/02/28";
    QTest::newRow("01/31 untouched") << "27/01/31"
                                     << "27/01/31";
    QTest::newRow("day 32 untouched") << "27/01/32"
                                      << "27/01/32";
    QTest::newRow("month 00 untouched") << "27/00/31"
                                        << "27/00/31";
    QTest::newRow("non-digit year counts as leap") << "ab/02/30"
                                                   << "ab/02/29";
}

void TestCompleteDate::correctsOnlyTheMonthEndTable() {
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QCOMPARE(completed(typed), result);
}

void TestCompleteDate::alwaysGivesEightCharacters_data() {
    QTest::addColumn<QString>("typed");

    QTest::newRow("empty") << QString();
    QTest::newRow("blanks") << "    ";
    QTest::newRow("Japanese text") << u"きょうの日付"_qs;
    QTest::newRow("surrogate pairs") << u"𠮷𠮷/𠮷/𠮷𠮷𠮷"_qs;
    QTest::newRow("surrogate pair as the day") << u"11/𠮷"_qs;
    QTest::newRow("lone high surrogate") << QString(QChar(0xD800));
    QTest::newRow("lone low surrogate after slash") << QStringLiteral("1/") + QChar(0xDC00);
    QTest::newRow("control characters") << u"\t\r\n\u0000/\u0007"_qs;
    QTest::newRow("only slashes") << "//////";
    QTest::newRow("very long text") << QString(100000, u'9');
    QTest::newRow("very long with slashes") << QString(50000, u'/') + QString(50000, u'1');
}

void TestCompleteDate::alwaysGivesEightCharacters() {
    QFETCH(QString, typed);
    const std::u32string result = toChars(completed(typed));
    QCOMPARE(result.size(), std::size_t{8});
    QCOMPARE(result[2], U'/');
    QCOMPARE(result[5], U'/');
}

void TestCompleteDate::canonicalTextOfEveryRealDateComesBackUnchanged() {
    sys_days day{year{2000} / January / 1};
    const sys_days last{year{2099} / December / 31};
    for (; day <= last; ++day) {
        const QString text = dateTextOf(year_month_day{day});
        const QString result = completed(text);
        if (result != text)
            QFAIL(qPrintable(text + " became " + result));
    }
}

void TestCompleteDate::readsTodayOnEveryCall() {
    FixedClock clock{year{2025} / November / day{15}};
    QCOMPARE(completed("", clock), QStringLiteral("25/11/15"));
    clock.set(year{2026} / January / day{1});
    QCOMPARE(completed("", clock), QStringLiteral("26/01/01"));
    QCOMPARE(completed("2/29", clock), QStringLiteral("26/02/28"));
}

QTEST_APPLESS_MAIN(TestCompleteDate)
#include "tst_complete_date.moc"
