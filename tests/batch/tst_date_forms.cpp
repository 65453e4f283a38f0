#include "date_forms.h"

#include <QTest>
#include <chrono>

using namespace tokivane;
using namespace std::chrono;

// Every form a judged cell may take, with the date it reads as or why it is
// refused. Completion forms take what is missing from a fixed today.

namespace {

const FixedClock kClock{year{2025} / November / day{15}};

} // namespace

class TestDateForms : public QObject {
    Q_OBJECT

  private slots:
    void forms_data();
    void forms();
};

void TestDateForms::forms_data() {
    QTest::addColumn<QString>("cell");
    // "yy/mm/dd" of the date read, or empty when refused.
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("unread");
    const int none = int(Unread::None);
    const auto accepted = [none](const char* name, QString cell, QString date) {
        QTest::newRow(name) << cell << date << none;
    };
    const auto refused = [](const char* name, QString cell, Unread why) {
        QTest::newRow(name) << cell << QString() << int(why);
    };

    accepted("completed: yy/mm/dd", u"25/11/20"_qs, u"25/11/20"_qs);
    accepted("completed: month and day", u"11/20"_qs, u"25/11/20"_qs);
    accepted("completed: day alone", u"20"_qs, u"25/11/20"_qs);
    accepted("completed: one-digit day", u"3"_qs, u"25/11/03"_qs);
    accepted("completed: month end pulled back", u"2/30"_qs, u"25/02/28"_qs);
    accepted("completed: full-width", u"１１／２０"_qs, u"25/11/20"_qs);
    refused("completed: day 00", u"0"_qs, Unread::ImpossibleDate);
    refused("completed: month 13", u"13/5"_qs, Unread::ImpossibleDate);

    accepted("slashes", u"2025/11/20"_qs, u"25/11/20"_qs);
    accepted("hyphens", u"2025-11-20"_qs, u"25/11/20"_qs);
    accepted("dots", u"2025.11.20"_qs, u"25/11/20"_qs);
    accepted("eight digits", u"20251120"_qs, u"25/11/20"_qs);
    accepted("kanji", u"2025年11月20日"_qs, u"25/11/20"_qs);
    accepted("no leading zeros", u"2026/1/5"_qs, u"26/01/05"_qs);
    accepted("kanji, no leading zeros", u"2026年1月5日"_qs, u"26/01/05"_qs);
    accepted("time after the date", u"2025/11/20 0:00"_qs, u"25/11/20"_qs);
    accepted("ISO date and time", u"2025-11-20T09:30:00"_qs, u"25/11/20"_qs);
    accepted("full-width separators", u"２０２５－１１－２０"_qs, u"25/11/20"_qs);
    accepted("surrounding blanks and quotes", u"  \"2025/11/20\"　"_qs, u"25/11/20"_qs);
    accepted("leap day", u"2028/02/29"_qs, u"28/02/29"_qs);
    accepted("first year", u"2000/01/01"_qs, u"00/01/01"_qs);
    accepted("last year", u"2099/12/31"_qs, u"99/12/31"_qs);

    accepted("era letter, dots", u"R7.11.20"_qs, u"25/11/20"_qs);
    accepted("era letter, slashes", u"R7/11/20"_qs, u"25/11/20"_qs);
    accepted("era name", u"令和7年11月20日"_qs, u"25/11/20"_qs);
    accepted("first day of Reiwa", u"令和元年5月1日"_qs, u"19/05/01"_qs);
    accepted("last day of Heisei, letter", u"H31.4.30"_qs, u"19/04/30"_qs);
    accepted("last day of Heisei, name", u"平成31年4月30日"_qs, u"19/04/30"_qs);
    accepted("Heisei 12", u"H12.1.1"_qs, u"00/01/01"_qs);
    accepted("full-width era", u"Ｒ７．１１．２０"_qs, u"25/11/20"_qs);

    refused("empty", u""_qs, Unread::NotADate);
    refused("words", u"請求書"_qs, Unread::NotADate);
    refused("amount", u"1500"_qs, Unread::NotADate);
    refused("mixed separators", u"2025/11-20"_qs, Unread::NotADate);
    refused("words after the date", u"2025/11/20 頃"_qs, Unread::NotADate);
    refused("impossible strict date", u"2025/02/30"_qs, Unread::ImpossibleDate);
    refused("common-year leap day", u"2025/02/29"_qs, Unread::ImpossibleDate);
    refused("before 2000", u"1999/12/31"_qs, Unread::OutsideYears);
    refused("before 2000, hyphens", u"1999-12-31"_qs, Unread::OutsideYears);
    refused("before 2000, eight digits", u"19991231"_qs, Unread::OutsideYears);
    refused("before 2000, kanji", u"1999年12月31日"_qs, Unread::OutsideYears);
    refused("after 2099", u"2100/01/01"_qs, Unread::OutsideYears);
    refused("Heisei after its end", u"平成31年5月1日"_qs, Unread::OutsideEra);
    refused("Reiwa before its start", u"R1.4.30"_qs, Unread::OutsideEra);
    refused("Heisei before 2000", u"H11.12.31"_qs, Unread::OutsideYears);
    refused("Heisei before 2000, name", u"平成11年12月31日"_qs, Unread::OutsideYears);
    refused("Heisei before its start", u"H1.1.7"_qs, Unread::OutsideEra);
    refused("last day of Showa, name", u"昭和64年1月7日"_qs, Unread::OutsideYears);
    refused("first day of Showa", u"昭和元年12月25日"_qs, Unread::OutsideYears);
    refused("Showa letter, dots", u"S63.12.31"_qs, Unread::OutsideYears);
    refused("Showa letter, slashes", u"s60/4/1"_qs, Unread::OutsideYears);
    refused("Showa after its end", u"昭和64年1月8日"_qs, Unread::OutsideEra);
    refused("Showa before its start", u"S1.12.24"_qs, Unread::OutsideEra);
    refused("impossible Showa date", u"S63.2.30"_qs, Unread::ImpossibleDate);
    refused("era year zero", u"R0.5.1"_qs, Unread::OutsideEra);
}

void TestDateForms::forms() {
    QFETCH(QString, cell);
    QFETCH(QString, date);
    QFETCH(int, unread);
    const DateReading reading = readDateForm(cell, kClock);
    QCOMPARE(reading.date ? dateTextOf(*reading.date) : QString(), date);
    QCOMPARE(int(reading.unread), unread);
}

QTEST_APPLESS_MAIN(TestDateForms)
#include "tst_date_forms.moc"
