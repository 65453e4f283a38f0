#include "cell_text.h"
#include "date_cell.h"
#include "handoff.h"
#include "number_cell.h"
#include "number_text.h"
#include "source_lines.h"
#include "workbook_file.h"
#include "workbook_parts.h"
#include "workbook_writer.h"

#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

using namespace tokivane;
using tokivane::test::SheetPart;
using tokivane::test::workbookEntries;
using tokivane::test::zipOf;

namespace {

constexpr int kCustomFormat = 200;
// Items handed from one thread to another, a few ahead.
constexpr int kHandedOff = 100;
constexpr std::size_t kAhead = 4;

QString sheetTextOf(const QByteArray& bytes, qsizetype sheet = 0) {
    auto workbook = openWorkbook(bytes);
    if (auto* unread = std::get_if<UnreadFile>(&workbook))
        return QStringLiteral("refused: ") + unread->reason;
    auto text =
        readWorkbookSheet(std::get<OpenWorkbook>(workbook), sheet, [](double) { return true; });
    if (auto* unread = std::get_if<UnreadFile>(&text))
        return QStringLiteral("refused: ") + unread->reason;
    return std::get<QString>(text);
}

// A1 of a one-cell sheet whose style has the format: built-in by number, or
// the code as a custom one.
QString shownCell(int formatId, const QString& code, const QByteArray& cell, bool from1904,
                  const QByteArray& sharedStrings) {
    const QByteArray styles = "<numFmts><numFmt numFmtId=\"" + QByteArray::number(kCustomFormat) +
                              "\" formatCode=\"" + code.toHtmlEscaped().toUtf8() +
                              "\"/></numFmts><cellXfs><xf numFmtId=\"" +
                              QByteArray::number(formatId) + "\"/></cellXfs>";
    const QByteArray sheet = "<sheetData><row r=\"1\">" + cell + "</row></sheetData>";
    const QString text = sheetTextOf(zipOf(
        workbookEntries({{QStringLiteral("S"), sheet, {}}}, sharedStrings, styles, from1904)));
    if (text.startsWith(u"refused"))
        return text;
    return cellsOfRecord(QStringView(text).left(text.size() - 1), u'\t').value(0);
}

QByteArray numberCell(const QByteArray& value) {
    return "<c r=\"A1\" s=\"0\"><v>" + value + "</v></c>";
}

} // namespace

class TestWorkbookReading : public QObject {
    Q_OBJECT

  private slots:
    // Numbers copied straight into the text are only those General would
    // show the same.
    void plainNumbersShowAsWritten_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("asWritten");
        QTest::newRow("zero") << QStringLiteral("0") << true;
        QTest::newRow("negative half") << QStringLiteral("-0.5") << true;
        QTest::newRow("amount with a decimal") << QStringLiteral("120.5") << true;
        QTest::newRow("15 digits") << QStringLiteral("123456789012345") << true;
        QTest::newRow("15 decimals") << QStringLiteral("0.123456789012345") << true;
        QTest::newRow("negative decimal") << QStringLiteral("-98765.4321") << true;
        QTest::newRow("negative zero") << QStringLiteral("-0") << false;
        QTest::newRow("trailing zero") << QStringLiteral("1.50") << false;
        QTest::newRow("hundredths") << QStringLiteral("0.05") << false;
        QTest::newRow("exponent") << QStringLiteral("1E3") << false;
        QTest::newRow("16 digits") << QStringLiteral("1234567890123456") << false;
        QTest::newRow("leading zeros") << QStringLiteral("007") << false;
        QTest::newRow("point alone") << QStringLiteral("5.") << false;
    }
    void plainNumbersShowAsWritten() {
        QFETCH(QString, value);
        QFETCH(bool, asWritten);
        QCOMPARE(isShownAsGeneral(value), asWritten);
        if (asWritten)
            QCOMPARE(generalNumberText(value.toDouble()), value);
    }

    void cellsShowAsTheWorkbookShowsThem_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<bool>("from1904");
        QTest::addColumn<QByteArray>("sharedStrings");
        QTest::addColumn<QString>("shown");
        const QByteArray strings =
            "<si><t>得意先</t></si><si><r><t>株式</t></r><r><rPr><b/></rPr><t>会社</t></r>"
            "<rPh sb=\"0\" eb=\"2\"><t>カブシキ</t></rPh></si>";
        const auto row = [&](const char* name, int format, const QString& code,
                             const QByteArray& cell, const QString& shown, bool from1904 = false) {
            QTest::newRow(name) << format << code << cell << from1904 << strings << shown;
        };
        row("shared string", 0, {}, "<c r=\"A1\" t=\"s\"><v>0</v></c>", QStringLiteral("得意先"));
        row("rich text without its reading", 0, {}, "<c r=\"A1\" t=\"s\"><v>1</v></c>",
            QStringLiteral("株式会社"));
        row("inline string", 0, {}, "<c r=\"A1\" t=\"inlineStr\"><is><t>直接</t></is></c>",
            QStringLiteral("直接"));
        row("escaped carriage return", 0, {},
            "<c r=\"A1\" t=\"inlineStr\"><is><t>a_x000D_b</t></is></c>", QStringLiteral("a\rb"));
        row("formula by its last value", 0, {},
            "<c r=\"A1\" t=\"str\"><f>B1&amp;C1</f><v>結果</v></c>", QStringLiteral("結果"));
        row("boolean", 0, {}, "<c r=\"A1\" t=\"b\"><v>1</v></c>", QStringLiteral("TRUE"));
        row("error", 0, {}, "<c r=\"A1\" t=\"e\"><f>NA()</f><v>#N/A</v></c>",
            QStringLiteral("#N/A"));
        row("general integer", 0, {}, numberCell("1234"), QStringLiteral("1234"));
        row("general sum of tenths", 0, {}, numberCell("0.30000000000000004"),
            QStringLiteral("0.3"));
        row("ISO date cell", 0, {}, "<c r=\"A1\" t=\"d\"><v>2024-05-01T00:00:00</v></c>",
            QStringLiteral("2024/05/01"));
        row("built-in 14", 14, {}, numberCell("45413"), QStringLiteral("2024/05/01"));
        row("built-in 22, time ignored", 22, {}, numberCell("45413.75"),
            QStringLiteral("2024/05/01"));
        row("built-in 31 in 年月日", 31, {}, numberCell("45413"), QStringLiteral("2024/05/01"));
        row("built-in 57 in the era", 57, {}, numberCell("45413"), QStringLiteral("2024/05/01"));
        row("custom era code", kCustomFormat, QStringLiteral("[$-411]ggge\"年\"m\"月\"d\"日\""),
            numberCell("45413"), QStringLiteral("2024/05/01"));
        row("custom slashed code", kCustomFormat, QStringLiteral("yyyy/m/d;@"), numberCell("45382"),
            QStringLiteral("2024/03/31"));
        row("the day before the phantom", 14, {}, numberCell("59"), QStringLiteral("1900/02/28"));
        row("the phantom 29 February", 14, {}, numberCell("60"), QStringLiteral("1900/02/29"));
        row("the day after the phantom", 14, {}, numberCell("61"), QStringLiteral("1900/03/01"));
        row("1904 day zero", 14, {}, numberCell("0"), QStringLiteral("1904/01/01"), true);
        row("1904 counts 1462 days later", 14, {}, numberCell("43951"),
            QStringLiteral("2024/05/01"), true);
        row("time of day", 20, {}, numberCell("0.5"), QStringLiteral("12:00"));
        row("Japanese time", 33, {}, numberCell("0.75"), QStringLiteral("18:00:00"));
        row("thousands", 3, {}, numberCell("1234567"), QStringLiteral("1,234,567"));
        row("thousands of zero", 3, {}, numberCell("0"), QStringLiteral("0"));
        row("thousands of minus zero", 3, {}, numberCell("-0"), QStringLiteral("0"));
        row("thousands below zero", 3, {}, numberCell("-1234"), QStringLiteral("-1,234"));
        row("fifteen digits in thousands", 3, {}, numberCell("999999999999999"),
            QStringLiteral("999,999,999,999,999"));
        row("thousands with zero places", kCustomFormat, QStringLiteral("#,#00"), numberCell("5"),
            QStringLiteral("05"));
        row("yen", 5, {}, numberCell("1234"), QStringLiteral("¥1,234"));
        row("zero-padded code", kCustomFormat, QStringLiteral("00000"), numberCell("123"),
            QStringLiteral("00123"));
        row("postal code places", kCustomFormat, QStringLiteral("000-0000"), numberCell("1500001"),
            QStringLiteral("150-0001"));
        row("day with its word", kCustomFormat, QStringLiteral("0\"日\""), numberCell("15"),
            QStringLiteral("15日"));
        row("triangle for negatives", kCustomFormat, QStringLiteral("#,##0;\"△\"#,##0"),
            numberCell("-1500"), QStringLiteral("△1,500"));
        row("minus without a section", 4, {}, numberCell("-0.5"), QStringLiteral("-0.50"));
        row("half away on 15 digits", 2, {}, numberCell("2.675"), QStringLiteral("2.68"));
        row("rounding carries", 3, {}, numberCell("999.5"), QStringLiteral("1,000"));
        row("percent", 9, {}, numberCell("0.125"), QStringLiteral("13%"));
        row("text format keeps the number", 49, {}, numberCell("123"), QStringLiteral("123"));
        row("no value, no text", 14, {}, "<c r=\"A1\" s=\"0\"/>", QString());
    }
    void cellsShowAsTheWorkbookShowsThem() {
        QFETCH(int, format);
        QFETCH(QString, code);
        QFETCH(QByteArray, cell);
        QFETCH(bool, from1904);
        QFETCH(QByteArray, sharedStrings);
        QFETCH(QString, shown);
        QCOMPARE(shownCell(format, code, cell, from1904, sharedStrings), shown);
    }

    void sheetReadsAsItsCsvWould() {
        const QByteArray sheet =
            "<sheetData>"
            "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>日付</t></is></c>"
            "<c r=\"C1\" t=\"inlineStr\"><is><t>金額</t></is></c></row>"
            "<row r=\"3\"><c r=\"B3\" t=\"inlineStr\"><is><t>a,b</t></is></c>"
            "<c r=\"C3\" t=\"inlineStr\"><is><t>二行\n目 \"引用\"</t></is></c></row>"
            "<row r=\"4\"><c r=\"A4\" t=\"inlineStr\"><is><t>締日</t></is></c><c "
            "r=\"B4\"><v>1</v></c></row>"
            "<row r=\"5\"><c r=\"C5\"><v>2</v></c></row>"
            "<row><c><v>3</v></c><c><v>4</v></c></row>"
            "</sheetData><mergeCells count=\"1\"><mergeCell ref=\"A4:A6\"/></mergeCells>";
        QCOMPARE(sheetTextOf(zipOf(workbookEntries({{QStringLiteral("S"), sheet, {}}}))),
                 QStringLiteral("日付\t\t金額\n\n\t\"a,b\"\t\"二行\n目 "
                                "\"\"引用\"\"\"\n締日\t1\n締日\t\t2\n締日\t4\n"));
    }

    void sheetsAreListedInOrder() {
        const QByteArray empty = "<sheetData/>";
        auto entries = workbookEntries({{QStringLiteral("隠し"), empty, QStringLiteral("hidden")},
                                        {QStringLiteral("売上"), empty, {}},
                                        {QStringLiteral("得意先"), empty, {}}});
        auto workbook = openWorkbook(zipOf(entries));
        QVERIFY(std::holds_alternative<OpenWorkbook>(workbook));
        const WorkbookIndex& index = std::get<OpenWorkbook>(workbook).index;
        QCOMPARE(index.sheets.size(), 3);
        QCOMPARE(index.sheets[2].name, QStringLiteral("得意先"));
        QVERIFY(!index.sheets[0].visible);
        QCOMPARE(firstVisibleSheet(index), 1);
    }

    void damagedWorkbooksSayWhy_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const auto sheetOf = [](const QByteArray& data) {
            return zipOf(workbookEntries({{QStringLiteral("S"), data, {}}}, "<si><t>a</t></si>"));
        };
        const QByteArray whole =
            sheetOf("<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row></sheetData>");
        QTest::newRow("text, not a ZIP")
            << QByteArray("PK\x03\x04 no more") << QStringLiteral("ZIP");
        QTest::newRow("password or old kind")
            << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 rest") << QStringLiteral("パスワード");
        QTest::newRow("ZIP of something else") << zipOf({{QStringLiteral("a.txt"), "text"}})
                                               << QStringLiteral("Excelブックではありません");
        QTest::newRow("cut short") << whole.left(whole.size() / 2) << QStringLiteral("ZIP");
        QTest::newRow("broken sheet XML")
            << sheetOf("<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></row>")
            << QStringLiteral("XMLが壊れています");
        auto cutOff = workbookEntries({{QStringLiteral("S"), {}, {}}});
        for (auto& [name, bytes] : cutOff)
            if (name.contains(u"worksheets/"))
                bytes = "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v>";
        QTest::newRow("sheet XML cut off") << zipOf(cutOff) << QStringLiteral("途中で切れています");
        QTest::newRow("shared string missing")
            << sheetOf("<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>7</v></c></row></sheetData>")
            << QStringLiteral("共有文字列の番号が範囲外です（7）");
        QTest::newRow("rows out of order")
            << sheetOf("<sheetData><row r=\"2\"/><row r=\"1\"/></sheetData>")
            << QStringLiteral("行番号");
        QTest::newRow("cell past the last column")
            << sheetOf("<sheetData><row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row></sheetData>")
            << QStringLiteral("セル番地");
    }
    void damagedWorkbooksSayWhy() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString read = sheetTextOf(bytes);
        QVERIFY2(read.startsWith(u"refused: ") && read.contains(reason), qPrintable(read));
    }

    void entriesExpandNoFurtherThanTheLimit() {
        const auto zip =
            ZipArchive::open(zipOf({{QStringLiteral("big"), QByteArray(100000, '0')}}));
        const auto& archive = std::get<ZipArchive>(zip);
        const auto tooBig = archive.readWhole(QStringLiteral("big"), 1000);
        QVERIFY(std::get<QString>(tooBig).contains(u"大きすぎます"));
        QCOMPARE(std::get<QByteArray>(archive.readWhole(QStringLiteral("big"), 100000)).size(),
                 100000);
    }

    // What one thread makes reaches the other in order; the taker stopping
    // stops the maker, and what the maker throws is thrown to the taker.
    void handingOffKeepsOrderAndStops_data() {
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<int>("failAt");
        QTest::addColumn<int>("taken");
        QTest::newRow("all taken") << -1 << -1 << kHandedOff;
        QTest::newRow("taker stops at the third") << 2 << -1 << 3;
        QTest::newRow("maker fails halfway") << -1 << kHandedOff / 2 << kHandedOff / 2;
    }
    void handingOffKeepsOrderAndStops() {
        QFETCH(int, stopAfter);
        QFETCH(int, failAt);
        QFETCH(int, taken);
        QList<int> got;
        bool makerStopped = false;
        bool stopped = false;
        bool failed = false;
        const auto make = [&](Handoff<int>& handoff) {
            for (int item = 0; item < kHandedOff && !makerStopped; ++item) {
                if (item == failAt)
                    throw std::runtime_error("made no more");
                makerStopped = !handoff.push(item);
            }
        };
        const auto take = [&](int item) {
            got.append(item);
            return got.size() - 1 != stopAfter;
        };
        try {
            stopped = handOff<int>(kAhead, make, take);
        } catch (const std::runtime_error&) {
            failed = true;
        }
        QCOMPARE(got.size(), taken);
        for (qsizetype at = 0; at < got.size(); ++at)
            QCOMPARE(got[at], int(at));
        QCOMPARE(stopped, stopAfter >= 0);
        QCOMPARE(makerStopped, stopAfter >= 0);
        QCOMPARE(failed, failAt >= 0);
    }

    // Tables written by the writer read back cell for cell: text as it
    // was, dates as the same dates, numbers as the same amounts.
    void savedTablesReadBackTheSame() {
        const QList<QStringList> ledger{
            {QStringLiteral("記録日"), QStringLiteral("得意先"), QStringLiteral("金額"),
             QStringLiteral("備考")},
            {QStringLiteral("25/11/14"), QStringLiteral(" 山田, 本社"), QStringLiteral("1,234"),
             QStringLiteral("二行\n\"目\"")},
            {QStringLiteral("2024/02/29"), QStringLiteral("_x0041_"), QStringLiteral("-12.50"),
             QString()},
            {QString(), QStringLiteral("00123"), QStringLiteral("合計"), QStringLiteral("Yes")}};
        const QList<SheetTable> sheets{
            {QStringLiteral("一括判定"),
             ledger,
             {SheetColumn::Date, SheetColumn::Text, SheetColumn::Number, SheetColumn::Text}},
            {QStringLiteral("月別"),
             {{QStringLiteral("件数")}, {QStringLiteral("3")}},
             {SheetColumn::Number}}};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("保存.xlsx"));
        QCOMPARE(writeWorkbookFile(path, sheets), std::nullopt);
        const QByteArray bytes = std::get<QByteArray>(readFileBytes(path));
        const QList<SourceLine> lines = sourceLinesOf(sheetTextOf(bytes, 0));
        QCOMPARE(lines.size(), ledger.size());
        for (qsizetype line = 0; line < ledger.size(); ++line)
            for (qsizetype column = 0; column < ledger[line].size(); ++column) {
                const QString saved = ledger[line][column];
                const QString read = lines[line].cells.value(column);
                if (line > 0 && column == 0 && !saved.isEmpty())
                    QCOMPARE(dateOfCell(read), dateOfCell(saved));
                else if (line > 0 && column == 2 && numberOfCell(saved))
                    QCOMPARE(numberOfCell(read), numberOfCell(saved));
                else
                    QCOMPARE(read, saved);
            }
        auto workbook = openWorkbook(bytes);
        QCOMPARE(std::get<OpenWorkbook>(workbook).index.sheets[1].name, QStringLiteral("月別"));
        QCOMPARE(sheetTextOf(bytes, 1), QStringLiteral("件数\n3\n"));
    }

    void cancelledReadingStops() {
        QByteArray rows = "<sheetData>";
        for (int row = 1; row <= 20000; ++row)
            rows += "<row r=\"" + QByteArray::number(row) + "\"><c r=\"A" +
                    QByteArray::number(row) + "\"><v>" + QByteArray::number(row) + "</v></c></row>";
        rows += "</sheetData>";
        auto workbook = openWorkbook(zipOf(workbookEntries({{QStringLiteral("S"), rows, {}}})));
        const auto read =
            readWorkbookSheet(std::get<OpenWorkbook>(workbook), 0, [](double) { return false; });
        QVERIFY(std::holds_alternative<UnreadFile>(read));
    }
};

QTEST_GUILESS_MAIN(TestWorkbookReading)
#include "tst_workbook_reading.moc"
