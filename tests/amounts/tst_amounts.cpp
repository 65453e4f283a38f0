#include "amount_cell.h"
#include "amount_sum.h"
#include "amount_tally.h"
#include "amount_text.h"

#include <QRandomGenerator>
#include <QTest>
#include <limits>

using namespace tokivane;

// Amount cells as ledgers write them, the ones refused and why, sums at the
// edge of 64 bits, and written amounts read back.

namespace tokivane {

char* toString(const Amount& amount) {
    return QTest::toString(u"%1%2"_qs.arg(amount.hundredths).arg(amount.fractional ? "f" : ""));
}

} // namespace tokivane

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

} // namespace

class TestAmounts : public QObject {
    Q_OBJECT

  private slots:
    void read_data();
    void read();
    void empty_data();
    void empty();
    void refused_data();
    void refused();
    void sum_data();
    void sum();
    void fractionalSum();
    void tally_data();
    void tally();
    void written_data();
    void written();
    void roundTrip();
};

void TestAmounts::read_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<Amount>("expected");
    const auto row = [](const char* name, const QString& cell, qint64 hundredths,
                        bool fractional = false) {
        QTest::newRow(name) << cell << Amount{hundredths, fractional};
    };
    row("digits", u"1234"_qs, 123400);
    row("separators", u"1,234"_qs, 123400);
    row("yen sign", u"¥1,234"_qs, 123400);
    row("full-width", u"￥１，２３４"_qs, 123400);
    row("円", u"1,234円"_qs, 123400);
    row("Shift_JIS yen sign", u"\\1,234"_qs, 123400);
    row("minus", u"-1,234"_qs, -123400);
    row("minus sign", u"−1,234"_qs, -123400);
    row("full-width minus", u"－１２３４"_qs, -123400);
    row("△", u"△1,234"_qs, -123400);
    row("▲", u"▲1,234"_qs, -123400);
    row("parentheses", u"(1,234)"_qs, -123400);
    row("full-width parentheses", u"（１，２３４）"_qs, -123400);
    row("sign before yen sign", u"-¥1,234"_qs, -123400);
    row("▲ before ￥", u"▲￥１，２３４"_qs, -123400);
    row("sign after yen sign", u"¥-1,234"_qs, -123400);
    row("yen sign in parentheses", u"(¥1,234)"_qs, -123400);
    row("plus", u"+1234"_qs, 123400);
    row("zero", u"0"_qs, 0);
    row("minus zero", u"-0"_qs, 0);
    row("one decimal", u"1234.5"_qs, 123450, true);
    row("two decimals", u"1234.50"_qs, 123450, true);
    row("full-width point", u"１２３４．０６"_qs, 123406, true);
    row("negative with decimals", u"▲1,234.05"_qs, -123405, true);
    row("blanks around", u" \t1,234\u3000\u00a0"_qs, 123400);
    row("blanks between marks", u"▲ ¥ 1,234"_qs, -123400);
    row("blank before 円", u"( 1,234 円 )"_qs, -123400);
    row("largest", u"92,233,720,368,547,758.07"_qs, kMax, true);
    row("most negative", u"-92233720368547758.08"_qs, kMin, true);
    row("largest whole yen", u"92233720368547758"_qs, kMax - 7);
    row("sixteen nines", u"9999999999999999"_qs, 999999999999999900);
    row("a thousand leading zeros", QString(1000, u'0') + u"1"_qs, 100);
}

void TestAmounts::read() {
    QFETCH(QString, cell);
    QFETCH(Amount, expected);
    const AmountCell read = readAmountCell(cell);
    if (const auto* error = std::get_if<AmountError>(&read))
        QFAIL(qPrintable(error->reason));
    QCOMPARE(std::get<Amount>(read), expected);
}

void TestAmounts::empty_data() {
    QTest::addColumn<QString>("cell");
    QTest::newRow("nothing") << QString();
    QTest::newRow("blanks") << u" \t\u3000\u00a0 "_qs;
}

void TestAmounts::empty() {
    QFETCH(QString, cell);
    QVERIFY(std::holds_alternative<EmptyCell>(readAmountCell(cell)));
}

void TestAmounts::refused_data() {
    QTest::addColumn<QString>("cell");
    // What the reason must name.
    QTest::addColumn<QString>("what");
    const auto row = [](const char* name, const QString& cell, const QString& what) {
        QTest::newRow(name) << cell << what;
    };
    row("text", u"abc"_qs, u"読めません"_qs);
    row("exponent", u"1e5"_qs, u"読めません"_qs);
    row("blank between digits", u"1 234"_qs, u"読めません"_qs);
    row("other digits", u"١٢٣"_qs, u"読めません"_qs);
    row("group of two", u"1,23,4"_qs, u"桁区切り"_qs);
    row("12,34", u"12,34"_qs, u"桁区切り"_qs);
    row("first group of four", u"1234,567"_qs, u"桁区切り"_qs);
    row("leading separator", u",123"_qs, u"桁区切り"_qs);
    row("trailing separator", u"1,234,"_qs, u"桁区切り"_qs);
    row("decimal comma", u"1234,5"_qs, u"桁区切り"_qs);
    row("separator in decimals", u"1.2,3"_qs, u"桁区切り"_qs);
    row("two points", u"1.234.5"_qs, u"小数点が二つ"_qs);
    row("three decimals", u"1234.567"_qs, u"小数は2桁"_qs);
    row("three zero decimals", u"1.000"_qs, u"小数は2桁"_qs);
    row("point first", u".5"_qs, u"小数点の前"_qs);
    row("point last", u"1234."_qs, u"小数点の後"_qs);
    row("two signs", u"--1234"_qs, u"符号が二つ"_qs);
    row("sign and parentheses", u"-(1,234)"_qs, u"符号が二つ"_qs);
    row("sign after", u"1234-"_qs, u"数字の前"_qs);
    row("▲ after", u"1,234▲"_qs, u"数字の前"_qs);
    row("yen sign alone", u"¥"_qs, u"数字がありません"_qs);
    row("minus alone", u"－"_qs, u"数字がありません"_qs);
    row("yen sign and 円", u"¥1,234円"_qs, u"円記号が二つ"_qs);
    row("unclosed", u"(1,234"_qs, u"括弧"_qs);
    row("unopened", u"1,234)"_qs, u"括弧"_qs);
    row("one past the largest", u"92233720368547758.08"_qs, u"大きすぎ"_qs);
    row("one below the most negative", u"-92,233,720,368,547,758.09"_qs, u"大きすぎ"_qs);
    row("a megabyte of digits", QString(1 << 20, u'9'), u"大きすぎ"_qs);
    row("surrogate pair at the cut", QString(19, u'1') + u"😀😀"_qs, u"読めません"_qs);
}

void TestAmounts::refused() {
    QFETCH(QString, cell);
    QFETCH(QString, what);
    const AmountCell read = readAmountCell(cell);
    QVERIFY(std::holds_alternative<AmountError>(read));
    const QString& reason = std::get<AmountError>(read).reason;
    QVERIFY2(reason.contains(what), qPrintable(reason));
    QVERIFY2(reason.contains(u'「' + cell.left(10)), qPrintable(reason));
    QVERIFY2(reason.size() < 60 && QStringView(reason).isValidUtf16(), qPrintable(reason));
}

void TestAmounts::sum_data() {
    QTest::addColumn<QList<qint64>>("hundredths");
    // The amount that refuses the sum, or -1.
    QTest::addColumn<int>("refusedAt");
    QTest::addColumn<qint64>("total");
    QTest::newRow("none") << QList<qint64>{} << -1 << qint64(0);
    QTest::newRow("mixed signs") << QList<qint64>{123400, -50, 1} << -1 << qint64(123351);
    QTest::newRow("up to the largest") << QList<qint64>{kMax - 1, 1} << -1 << kMax;
    QTest::newRow("one past the largest") << QList<qint64>{kMax, 1} << 1 << qint64(0);
    QTest::newRow("down to the most negative") << QList<qint64>{kMin + 1, -1} << -1 << kMin;
    QTest::newRow("one below the most negative") << QList<qint64>{-1, kMin} << 1 << qint64(0);
    QTest::newRow("largest and most negative") << QList<qint64>{kMax, kMin} << -1 << qint64(-1);
    QTest::newRow("refused for good") << QList<qint64>{kMax, kMax, kMin, kMin} << 1 << qint64(0);
}

void TestAmounts::sum() {
    QFETCH(QList<qint64>, hundredths);
    QFETCH(int, refusedAt);
    QFETCH(qint64, total);
    AmountSum sum;
    for (int i = 0; i < hundredths.size(); ++i)
        QCOMPARE(sum.add({hundredths[i], false}), refusedAt < 0 || i < refusedAt);
    QCOMPARE(sum.count(), hundredths.size());
    QCOMPARE(sum.refused(), refusedAt >= 0);
    const auto result = sum.total();
    if (refusedAt >= 0)
        QVERIFY(std::get<AmountError>(result).reason.contains(u"64ビット"_qs));
    else
        QCOMPARE(std::get<Amount>(result), (Amount{total, false}));
}

void TestAmounts::fractionalSum() {
    AmountSum sum;
    sum.add({100, false});
    QCOMPARE(std::get<Amount>(sum.total()), (Amount{100, false}));
    sum.add({50, true});
    sum.add({-150, false});
    QCOMPARE(std::get<Amount>(sum.total()), (Amount{0, true}));
}

// A tally refuses only a total that itself passes 64 bits, in any order.
void TestAmounts::tally_data() {
    QTest::addColumn<QList<qint64>>("hundredths");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<qint64>("total");
    QTest::newRow("back within 64 bits")
        << QList<qint64>{kMax, kMax, kMin, kMin} << false << qint64(-2);
    QTest::newRow("down to the most negative")
        << QList<qint64>{kMin, kMin, kMax, 1} << false << kMin;
    QTest::newRow("one past the largest")
        << QList<qint64>{kMin, kMax, kMax, 1, kMax} << true << qint64(0);
    QTest::newRow("one below the most negative") << QList<qint64>{-1, kMin} << true << qint64(0);
}

void TestAmounts::tally() {
    QFETCH(QList<qint64>, hundredths);
    QFETCH(bool, refused);
    QFETCH(qint64, total);
    AmountTally whole;
    AmountTally parts[2];
    for (qsizetype at = 0; at < hundredths.size(); ++at) {
        whole.add(Amount{hundredths[at], false});
        parts[at % 2].add(Amount{hundredths[at], at == 0});
    }
    parts[0].add(parts[1]);
    QCOMPARE(parts[0].count(), hundredths.size());
    for (const AmountTally& tally : {whole, parts[0]}) {
        const auto result = tally.total();
        if (refused)
            QVERIFY(std::holds_alternative<AmountError>(result));
        else
            QCOMPARE(std::get<Amount>(result).hundredths, total);
    }
    QVERIFY(parts[0].fractional() && !whole.fractional());
}

void TestAmounts::written_data() {
    QTest::addColumn<Amount>("amount");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("plain");
    const auto row = [](const char* name, Amount amount, const QString& shown,
                        const QString& plain) { QTest::newRow(name) << amount << shown << plain; };
    row("zero", {0, false}, u"0"_qs, u"0"_qs);
    row("hundreds", {99900, false}, u"999"_qs, u"999"_qs);
    row("thousands", {123400, false}, u"1,234"_qs, u"1234"_qs);
    row("negative", {-123456700, false}, u"-1,234,567"_qs, u"-1234567"_qs);
    row("fractional", {123450, true}, u"1,234.50"_qs, u"1234.50"_qs);
    row("fractional whole yen", {100000, true}, u"1,000.00"_qs, u"1000.00"_qs);
    row("negative hundredths", {-5, true}, u"-0.05"_qs, u"-0.05"_qs);
    row("hundredths without the flag", {150, false}, u"1.50"_qs, u"1.50"_qs);
    row("largest", {kMax, true}, u"92,233,720,368,547,758.07"_qs, u"92233720368547758.07"_qs);
    row("most negative", {kMin, true}, u"-92,233,720,368,547,758.08"_qs,
        u"-92233720368547758.08"_qs);
}

void TestAmounts::written() {
    QFETCH(Amount, amount);
    QFETCH(QString, shown);
    QFETCH(QString, plain);
    QCOMPARE(amountShown(amount), shown);
    QCOMPARE(amountPlain(amount), plain);
}

void TestAmounts::roundTrip() {
    QList<Amount> amounts{{0, false},        {kMax, true},      {kMin, true},
                          {kMax - 7, false}, {kMin + 8, false}, {-1, true}};
    QRandomGenerator random(20240601);
    for (int i = 0; i < 5000; ++i) {
        // Every length of number, both signs.
        const qint64 value = qint64(random.generate64()) >> random.bounded(64);
        const bool fractional = random.bounded(2) == 1;
        amounts.append({fractional ? value : value - value % kHundredthsPerYen, fractional});
    }
    for (const Amount& amount : amounts) {
        for (const QString& text : {amountPlain(amount), amountShown(amount)}) {
            const AmountCell read = readAmountCell(text);
            QVERIFY2(std::holds_alternative<Amount>(read), qPrintable(text));
            QCOMPARE(std::get<Amount>(read), amount);
        }
    }
}

QTEST_GUILESS_MAIN(TestAmounts)
#include "tst_amounts.moc"
