#include "date_text.h"

#include <QTest>

using namespace tokivane;
using namespace std::chrono;

class TestDateText : public QObject {
    Q_OBJECT

  private slots:
    void readsDateOfText_data();
    void readsDateOfText();
    void writesCanonicalText_data();
    void writesCanonicalText();
    void daysBeforeCrossesMonthAndYearEnds_data();
    void daysBeforeCrossesMonthAndYearEnds();
    void leadingNumber_data();
    void leadingNumber();
    void twoDigitText_data();
    void twoDigitText();
    void comparisonKey_data();
    void comparisonKey();
    void keysOfDateTextsOrderLikeDates();
    void compareKeysOrdersByCharacterCode_data();
    void compareKeysOrdersByCharacterCode();
};

void TestDateText::readsDateOfText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QDate>("date");

    QTest::newRow("full text") << "26/01/05" << true << QDate(2026, 1, 5);
    QTest::newRow("one-digit month and day") << "26/1/5" << true << QDate(2026, 1, 5);
    QTest::newRow("leap day in a leap year") << "28/02/29" << true << QDate(2028, 2, 29);
    QTest::newRow("year 00 is 2000 and leap") << "00/02/29" << true << QDate(2000, 2, 29);
    QTest::newRow("year 99 is 2099") << "99/12/31" << true << QDate(2099, 12, 31);
    QTest::newRow("leap day in a common year") << "27/02/29" << false << QDate();
    QTest::newRow("thirtieth of February") << "26/02/30" << false << QDate();
    QTest::newRow("month 13") << "26/13/01" << false << QDate();
    QTest::newRow("month 00") << "26/00/10" << false << QDate();
    QTest::newRow("day 00") << "26/01/00" << false << QDate();
    QTest::newRow("day 32") << "26/01/32" << false << QDate();
    QTest::newRow("letters") << "abc" << false << QDate();
    QTest::newRow("leading blank") << " 26/01/05" << false << QDate();
    QTest::newRow("trailing blank") << "26/01/05 " << false << QDate();
    QTest::newRow("four-digit year") << "2026/01/05" << false << QDate();
    QTest::newRow("one-digit year") << "6/01/05" << false << QDate();
    QTest::newRow("three-digit day") << "26/01/005" << false << QDate();
    QTest::newRow("missing day") << "26/01/" << false << QDate();
    QTest::newRow("extra part") << "26/01/05/1" << false << QDate();
    QTest::newRow("full-width digits") << u"２６/01/05"_qs << false << QDate();
    QTest::newRow("empty") << "" << false << QDate();
}

void TestDateText::readsDateOfText() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QDate, date);

    const auto result = tokivane::dateOfDateText(text);
    QCOMPARE(result.has_value(), valid);
    if (valid) {
        QCOMPARE(static_cast<int>(result->year()), date.year());
        QCOMPARE(static_cast<unsigned>(result->month()), static_cast<unsigned>(date.month()));
        QCOMPARE(static_cast<unsigned>(result->day()), static_cast<unsigned>(date.day()));
    }
}

void TestDateText::writesCanonicalText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("canonical");

    QTest::newRow("leading zeros added") << "26/1/5"
                                         << "26/01/05";
    QTest::newRow("already canonical") << "25/12/31"
                                       << "25/12/31";
    QTest::newRow("year 2000") << "00/1/1"
                               << "00/01/01";
    QTest::newRow("year 2009") << "09/10/10"
                               << "09/10/10";
}

void TestDateText::writesCanonicalText() {
    QFETCH(QString, typed);
    QFETCH(QString, canonical);
    QCOMPARE(canonicalDateText(typed).value_or(QString()), canonical);
}

void TestDateText::daysBeforeCrossesMonthAndYearEnds_data() {
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("expected");

    QTest::newRow("year end") << "26/01/01" << 1 << "25/12/31";
    QTest::newRow("leap February") << "28/03/01" << 1 << "28/02/29";
    QTest::newRow("common February") << "25/03/01" << 1 << "25/02/28";
    QTest::newRow("zero days") << "24/05/06" << 0 << "24/05/06";
    QTest::newRow("six days into last month") << "24/03/03" << 6 << "24/02/26";
}

void TestDateText::daysBeforeCrossesMonthAndYearEnds() {
    QFETCH(QString, date);
    QFETCH(int, days);
    QFETCH(QString, expected);
    QCOMPARE(dateTextOf(daysBefore(*tokivane::dateOfDateText(date), days)), expected);
}

void TestDateText::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");

    QTest::newRow("day entry") << "10日" << 10;
    QTest::newRow("leading zero") << "08" << 8;
    QTest::newRow("stops at slash") << "1/" << 1;
    QTest::newRow("minus sign") << "-1" << -1;
    QTest::newRow("leading blanks") << "  42x" << 42;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("no digits") << "月末" << 0;
    QTest::newRow("full-width digits are not digits") << u"１２"_qs << 0;
    QTest::newRow("clamped at 16 bits") << "99999999999" << 32767;
    QTest::newRow("clamped below") << "-99999999999" << -32768;
}

void TestDateText::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(int{tokivane::leadingNumber(text)}, number);
}

void TestDateText::twoDigitText_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0 << "00";
    QTest::newRow("one digit") << 3 << "03";
    QTest::newRow("two digits") << 12 << "12";
    QTest::newRow("three digits keep the last two") << 105 << "05";
    QTest::newRow("minus one keeps its sign") << -1 << "-1";
}

void TestDateText::twoDigitText() {
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(tokivane::twoDigitText(number), text);
}

void TestDateText::comparisonKey_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");

    QTest::newRow("date text") << "24/05/10"
                               << "240510";
    QTest::newRow("short text") << "26/1/5"
                                << "261/";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("surrogate pair counts as one character") << u"𠮷𠮷/01/02"_qs << u"𠮷𠮷0102"_qs;
    QTest::newRow("lone surrogate counts as one character")
        << QChar(0xD800) + u"/01/02"_qs << QChar(0xD800) + u"/1/2"_qs;
}

void TestDateText::comparisonKey() {
    QFETCH(QString, text);
    QFETCH(QString, key);
    QCOMPARE(tokivane::comparisonKey(text), key);
}

void TestDateText::keysOfDateTextsOrderLikeDates() {
    // Over the whole century, consecutive days have strictly increasing keys.
    sys_days day{year{2000} / January / 1};
    const sys_days last{year{2099} / December / 31};
    QString previous = tokivane::comparisonKey(dateTextOf(year_month_day{day}));
    for (++day; day <= last; ++day) {
        const QString key = tokivane::comparisonKey(dateTextOf(year_month_day{day}));
        if (!(previous < key))
            QFAIL(qPrintable(previous + " !< " + key));
        previous = key;
    }
}

void TestDateText::compareKeysOrdersByCharacterCode_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("order");

    const auto row = [](const char* name, const QString& a, const QString& b, int order) {
        QTest::newRow(name) << a << b << order;
    };
    row("earlier day", "24/05/09", "24/05/10", -1);
    row("same date", "24/05/10", "24/05/10", 0);
    row("separators are not compared", "24-05-10", "24/05/10", 0);
    row("slash in a short key sorts before a digit", "26/1/5", "26/10/05", -1);
    row("a key that begins the other sorts first", "24/05", "24/05/10", -1);
    row("empty before any text", "", "1", -1);
    row("both empty", "", "", 0);
    row("surrogate pairs compared whole", u"𠮷𠮷/01/02"_qs, u"𠮷𠮷/01/03"_qs, -1);
    row("surrogate pair by its UTF-16 units", u"𠮷"_qs, u"\uE000"_qs, -1);
}

void TestDateText::compareKeysOrdersByCharacterCode() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, order);
    const auto sign = [](std::strong_ordering o) { return o < 0 ? -1 : o > 0 ? 1 : 0; };
    QCOMPARE(sign(compareKeys(a, b)), order);
    QCOMPARE(sign(compareKeys(b, a)), -order);
}

QTEST_APPLESS_MAIN(TestDateText)
#include "tst_date_text.moc"
