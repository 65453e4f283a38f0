#include "closing_cell.h"
#include "terms_phrase.h"

#include <QTest>
#include <array>

using namespace tokivane;

// Terms phrases as customers write them, the ones refused and where, every
// written phrase read back, and ledgers' closing-day cells.

namespace tokivane {

// Names the parts when a comparison fails.
char* toString(const TermsPhrase& phrase) {
    const auto part = [](bool present, int kind, int a, int b) {
        return present ? u"%1:%2:%3"_qs.arg(kind).arg(a).arg(b) : u"-"_qs;
    };
    const ClosingDay c = phrase.closing.value_or(ClosingDay{});
    const PayDay p = phrase.pay.value_or(PayDay{});
    const int h = int(phrase.holidays.value_or(HolidayRule{}));
    return QTest::toString(part(phrase.closing.has_value(), int(c.kind), c.day, 0) + u' ' +
                           part(phrase.pay.has_value(), int(p.kind), p.months, p.day + p.days) +
                           u' ' + part(phrase.holidays.has_value(), h, 0, 0));
}

} // namespace tokivane

namespace {

constexpr int kEnd = kMonthEndPayDay;
constexpr auto kPrevious = HolidayRule::PreviousBusinessDay;
constexpr auto kNext = HolidayRule::NextBusinessDay;
constexpr auto kUnchanged = HolidayRule::Unchanged;

PayDay months(int months, int day) {
    return PayDay::monthAndDay(months, day);
}

} // namespace

class TestTermsPhrase : public QObject {
    Q_OBJECT

  private slots:
    void read_data();
    void read();
    void refused_data();
    void refused();
    void written_data();
    void written();
    void roundTrip_data();
    void roundTrip();
    void over();
    void closingCell_data();
    void closingCell();
};

void TestTermsPhrase::read_data() {
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<TermsPhrase>("expected");
    const auto row = [](const char* name, const QString& phrase, TermsPhrase expected) {
        QTest::newRow(name) << phrase << expected;
    };
    const ClosingDay day20 = ClosingDay::onDay(20);
    const ClosingDay monthEnd = ClosingDay::monthEnd();
    const ClosingDay perRecord = ClosingDay::perRecord();

    row("plain", u"20日締め翌月末払い"_qs, {day20, months(1, kEnd), {}});
    row("short suffixes", u"20日締翌月末払"_qs, {day20, months(1, kEnd), {}});
    row("month-end closing", u"月末締め翌月末払い"_qs, {monthEnd, months(1, kEnd), {}});
    row("末 closing, 翌々月", u"末締め翌々月10日"_qs, {monthEnd, months(2, 10), {}});
    row("末日〆", u"末日〆翌月25日払い"_qs, {monthEnd, months(1, 25), {}});
    row("当月", u"15日締め当月末"_qs, {ClosingDay::onDay(15), months(0, kEnd), {}});
    row("days after", u"月末締め60日後"_qs, {monthEnd, PayDay::daysAfter(60), {}});
    row("サイト", u"末締め 60日サイト"_qs, {monthEnd, PayDay::daysAfter(60), {}});
    row("都度 alone", u"都度 翌月末"_qs, {perRecord, months(1, kEnd), {}});
    row("都度締め", u"都度締め翌月末払い"_qs, {perRecord, months(1, kEnd), {}});
    row("か月後", u"3か月後"_qs, {{}, months(3, kEnd), {}});
    row("ヶ月後", u"4ヶ月後10日"_qs, {{}, months(4, 10), {}});
    row("カ月後", u"5カ月後末"_qs, {{}, months(5, kEnd), {}});
    row("ケ月後", u"6ケ月後末日払い"_qs, {{}, months(6, kEnd), {}});
    row("ヵ月後", u"3ヵ月後5日"_qs, {{}, months(3, 5), {}});
    row("1か月後", u"1か月後"_qs, {{}, months(1, kEnd), {}});
    row("full-width digits", u"２０日締め翌月１０日払い"_qs, {day20, months(1, 10), {}});
    row("blanks inside", u" 2 0日　締め\t翌月 末 払い "_qs, {day20, months(1, kEnd), {}});
    row("separators", u"（20日締め，翌月末払い）・前営業日"_qs,
        {day20, months(1, kEnd), kPrevious});

    row("closing day 1", u"1日締め"_qs, {ClosingDay::onDay(1), {}, {}});
    row("closing day 28, 〆切", u"28日〆切"_qs, {ClosingDay::onDay(28), {}, {}});
    row("closing day 29", u"29日締め"_qs, {ClosingDay::onDay(29), {}, {}});
    row("closing day 30", u"30日〆翌月末払い"_qs, {ClosingDay::onDay(30), months(1, kEnd), {}});
    row("closing day 31 is month end", u"31日締切"_qs, {monthEnd, {}, {}});
    row("every month", u"毎月20日締め"_qs, {day20, {}, {}});
    row("month without day", u"翌月払い"_qs, {{}, months(1, kEnd), {}});
    row("pay day 30", u"翌月30日払い"_qs, {{}, months(1, 30), {}});
    row("pay day 31 is month end", u"翌月31日"_qs, {{}, months(1, kEnd), {}});
    row("翌々月末日支払", u"翌々月末日支払"_qs, {{}, months(2, kEnd), {}});
    row("翌翌月入金", u"翌翌月5日入金"_qs, {{}, months(2, 5), {}});
    row("回収", u"20日締め翌月末回収"_qs, {day20, months(1, kEnd), {}});
    row("振込", u"末締め翌々月10日振込"_qs, {monthEnd, months(2, 10), {}});
    row("振込み, then the rule", u"翌月10日振込み 休日は翌営業日"_qs, {{}, months(1, 10), kNext});
    row("回収 after days", u"月末締め60日後回収"_qs, {monthEnd, PayDay::daysAfter(60), {}});
    row("one day after", u"1日後"_qs, {{}, PayDay::daysAfter(1), {}});
    row("365 days after", u"365日後払い"_qs, {{}, PayDay::daysAfter(365), {}});

    row("休日は前営業日", u"休日は前営業日"_qs, {{}, {}, kPrevious});
    row("休日の場合は翌営業日", u"休日の場合は翌営業日"_qs, {{}, {}, kNext});
    row("土日祝の場合は", u"土日祝の場合は翌営業日"_qs, {{}, {}, kNext});
    row("土日祝は", u"土日祝は前営業日"_qs, {{}, {}, kPrevious});
    row("銀行休業日", u"銀行休業日は翌営業日"_qs, {{}, {}, kNext});
    row("前営業日払い", u"前営業日払い"_qs, {{}, {}, kPrevious});
    row("翌営業日 alone", u"翌営業日"_qs, {{}, {}, kNext});
    row("休日はそのまま", u"休日はそのまま"_qs, {{}, {}, kUnchanged});
    row("そのまま alone", u"そのまま"_qs, {{}, {}, kUnchanged});
    row("rule first", u"休日は翌営業日 20日締め翌月末払い"_qs, {day20, months(1, kEnd), kNext});
    row("rule between", u"20日締め 翌営業日 翌月末払い"_qs, {day20, months(1, kEnd), kNext});
    row("rule last", u"20日締め翌月末払い、休日は前営業日"_qs, {day20, months(1, kEnd), kPrevious});
    row("a megabyte of blanks", u"20日締め"_qs + QString(1 << 20, u'　') + u"翌月末"_qs,
        {day20, months(1, kEnd), {}});
}

void TestTermsPhrase::read() {
    QFETCH(QString, phrase);
    QFETCH(TermsPhrase, expected);
    const auto read = readTermsPhrase(phrase);
    if (const auto* error = std::get_if<TermsPhraseError>(&read))
        QFAIL(qPrintable(error->message));
    QCOMPARE(std::get<TermsPhrase>(read), expected);
    QCOMPARE(readTermsPhraseQuietly(phrase), std::optional(expected));
}

void TestTermsPhrase::refused_data() {
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<qsizetype>("position");
    // What the message must quote: the unread text, or the part when none is left.
    QTest::addColumn<QString>("quoted");
    const auto row = [](const char* name, const QString& phrase, qsizetype at, QString quoted) {
        QTest::newRow(name) << phrase << at << quoted;
    };

    row("empty", u""_qs, 0, u"書かれていません"_qs);
    row("blanks only", u" 　\t"_qs, 3, u"書かれていません"_qs);
    row("unknown word", u"20日締めです"_qs, 5, u"です"_qs);
    row("翌年", u"翌年末"_qs, 1, u"「年末」"_qs);
    row("closing day 0", u"0日締め"_qs, 0, u"0日締め"_qs);
    row("closing day 32", u"32日締め"_qs, 0, u"32日締め"_qs);
    row("closing day 32, the days said", u"末 32日〆"_qs, 2, u"1日〜30日"_qs);
    row("number without 日", u"20締め"_qs, 2, u"締め"_qs);
    row("pay day 0", u"20日締め翌月0日"_qs, 7, u"0日"_qs);
    row("pay day 32", u"翌月32日払い"_qs, 2, u"32日払い"_qs);
    row("pay day cut short", u"翌月10"_qs, 4, u"翌月10"_qs);
    row("7 months", u"7か月後"_qs, 0, u"7か月後"_qs);
    row("0 months", u"0ヶ月後"_qs, 0, u"0ヶ月後"_qs);
    row("か年後", u"3か年後"_qs, 2, u"年後"_qs);
    row("366 days", u"月末締め366日後"_qs, 4, u"366日後"_qs);
    row("0 days", u"0日サイト"_qs, 0, u"0日サイト"_qs);
    row("unknown rule", u"休日は前日"_qs, 3, u"前日"_qs);
    row("rule cut short", u"休日の場合は"_qs, 6, u"休日の場合は"_qs);
    row("two closings", u"20日締め翌月末払い 25日締め"_qs, 11, u"25日締め"_qs);
    row("two pays", u"翌月末 60日後"_qs, 4, u"60日後"_qs);
    row("two rules", u"前営業日、翌営業日"_qs, 5, u"翌営業日"_qs);
    row("a megabyte of digits", QString(1 << 20, u'1') + u"日締め"_qs, 0, u"1111"_qs);
}

void TestTermsPhrase::refused() {
    QFETCH(QString, phrase);
    QFETCH(qsizetype, position);
    QFETCH(QString, quoted);
    const auto read = readTermsPhrase(phrase);
    QVERIFY(std::holds_alternative<TermsPhraseError>(read));
    const TermsPhraseError& error = std::get<TermsPhraseError>(read);
    QCOMPARE(error.position, position);
    QVERIFY(!error.message.isEmpty());
    QVERIFY2(error.message.contains(quoted), qPrintable(error.message));
    QVERIFY2(error.message.size() < 100, qPrintable(error.message));
    QVERIFY(!readTermsPhraseQuietly(phrase));
}

void TestTermsPhrase::written_data() {
    QTest::addColumn<CollectionTerms>("terms");
    QTest::addColumn<QString>("phrase");
    QTest::newRow("day closing") << CollectionTerms{ClosingDay::onDay(20), months(1, kEnd),
                                                    kPrevious}
                                 << u"20日締め翌月末払い 休日は前営業日"_qs;
    QTest::newRow("翌々月") << CollectionTerms{ClosingDay::monthEnd(), months(2, 10), kNext}
                            << u"月末締め翌々月10日払い 休日は翌営業日"_qs;
    QTest::newRow("都度") << CollectionTerms{ClosingDay::perRecord(), months(1, kEnd), kUnchanged}
                          << u"都度締め翌月末払い 休日はそのまま"_qs;
    QTest::newRow("days after") << CollectionTerms{ClosingDay::monthEnd(), PayDay::daysAfter(60),
                                                   kPrevious}
                                << u"月末締め60日後払い 休日は前営業日"_qs;
    QTest::newRow("months after") << CollectionTerms{ClosingDay::monthEnd(), months(3, kEnd), kNext}
                                  << u"月末締め3か月後末払い 休日は翌営業日"_qs;
}

void TestTermsPhrase::written() {
    QFETCH(CollectionTerms, terms);
    QFETCH(QString, phrase);
    QCOMPARE(termsPhraseOf(terms), phrase);
}

void TestTermsPhrase::roundTrip_data() {
    QTest::addColumn<CollectionTerms>("terms");
    const std::array<std::pair<const char*, ClosingDay>, 5> closings{{
        {"1日", ClosingDay::onDay(1)},
        {"15日", ClosingDay::onDay(15)},
        {"30日", ClosingDay::onDay(30)},
        {"月末", ClosingDay::monthEnd()},
        {"都度", ClosingDay::perRecord()},
    }};
    const std::array<std::pair<const char*, PayDay>, 8> pays{{
        {"当月末", months(0, kEnd)},
        {"翌月10日", months(1, 10)},
        {"翌月末", months(1, kEnd)},
        {"翌々月30日", months(2, 30)},
        {"6か月後末", months(6, kEnd)},
        {"1日後", PayDay::daysAfter(1)},
        {"60日後", PayDay::daysAfter(60)},
        {"365日後", PayDay::daysAfter(kMaxDaysAfter)},
    }};
    const std::array<std::pair<const char*, HolidayRule>, 3> rules{{
        {"前", kPrevious},
        {"翌", kNext},
        {"そのまま", kUnchanged},
    }};
    for (const auto& [closingName, closing] : closings)
        for (const auto& [payName, pay] : pays)
            for (const auto& [ruleName, rule] : rules)
                QTest::addRow("%s %s %s", closingName, payName, ruleName)
                    << CollectionTerms{closing, pay, rule};
}

void TestTermsPhrase::roundTrip() {
    QFETCH(CollectionTerms, terms);
    const QString phrase = termsPhraseOf(terms);
    const auto read = readTermsPhrase(phrase);
    QVERIFY2(std::holds_alternative<TermsPhrase>(read), qPrintable(phrase));
    QCOMPARE(std::get<TermsPhrase>(read), (TermsPhrase{terms.closing, terms.pay, terms.holidays}));
}

void TestTermsPhrase::over() {
    const CollectionTerms defaults{ClosingDay::onDay(20), months(1, kEnd), kPrevious};
    QCOMPARE(termsOver({}, defaults), defaults);
    const TermsPhrase payOnly{{}, PayDay::daysAfter(60), {}};
    QCOMPARE(termsOver(payOnly, defaults),
             (CollectionTerms{defaults.closing, PayDay::daysAfter(60), defaults.holidays}));
    const TermsPhrase all{ClosingDay::perRecord(), months(2, 5), kUnchanged};
    QCOMPARE(termsOver(all, defaults), (CollectionTerms{*all.closing, *all.pay, *all.holidays}));
}

void TestTermsPhrase::closingCell_data() {
    QTest::addColumn<QString>("cell");
    // None when the cell is refused.
    QTest::addColumn<std::optional<ClosingDay>>("expected");
    const auto row = [](const char* name, const QString& cell, std::optional<ClosingDay> day) {
        QTest::newRow(name) << cell << day;
    };
    row("20", u"20"_qs, ClosingDay::onDay(20));
    row("30", u"30"_qs, ClosingDay::onDay(30));
    row("31 is month end", u"31"_qs, ClosingDay::monthEnd());
    row("99 is month end", u"99"_qs, ClosingDay::monthEnd());
    row("full-width 99 in blanks", u" ９９　"_qs, ClosingDay::monthEnd());
    row("0", u"0"_qs, std::nullopt);
    row("32", u"32"_qs, std::nullopt);
    row("98", u"98"_qs, std::nullopt);
    row("100", u"100"_qs, std::nullopt);
    row("99 with 日", u"99日"_qs, std::nullopt);
}

void TestTermsPhrase::closingCell() {
    QFETCH(QString, cell);
    QFETCH(std::optional<ClosingDay>, expected);
    const auto read = readClosingCell(cell);
    const auto* closing = std::get_if<ClosingDay>(&read);
    QCOMPARE(closing ? std::optional(*closing) : std::nullopt, expected);
    if (const auto* error = std::get_if<TermsPhraseError>(&read))
        QVERIFY(!error->message.isEmpty());
}

QTEST_APPLESS_MAIN(TestTermsPhrase)
#include "tst_terms_phrase.moc"
