// The sheet scanner reads the XML workbook programs write, in whatever parts
// it arrives, as Qt's XML reader reads it, and leaves anything else to that
// reader.
#include "sheet_builder.h"
#include "sheet_scanner.h"
#include "sheet_text.h"
#include "workbook_parts.h"

#include <QTest>

using namespace tokivane;

namespace {

const QStringList kSharedStrings{QStringLiteral("得意先"), QStringLiteral("x\ty")};
const CellStyles kStyles{NumberFormat{}, builtinFormat(14)};
const SheetContext kContext{&kSharedStrings, &kStyles, DateSystem::From1900};
const QString kPart = QStringLiteral("xl/worksheets/sheet1.xml");
constexpr qsizetype kArchivePart = 1024 * 1024;
constexpr int kLargeRows = 6000;
// Most of a row is a note read tag by tag, so that parts end within it.
const QByteArray kLongNote(600, 'a');

struct Scanned {
    std::variant<QString, UnreadFile> text;
    bool declined = false;
    bool ended = false;
};

// The XML handed to the scanner in parts of `partSize` bytes.
Scanned scanned(const QByteArray& xml, qsizetype partSize) {
    SheetBuilder builder(kContext);
    SheetScanner scanner(builder);
    for (qsizetype at = 0; at < xml.size(); at += partSize)
        if (!scanner.take(xml.sliced(at, std::min(partSize, xml.size() - at))))
            break;
    return {builder.finish(scanner.ended()), scanner.unsupported(), scanner.ended()};
}

std::variant<QString, UnreadFile> readBy(const QByteArray& xml, SheetReader reader) {
    test::ZipEntries entries{{kPart, xml}};
    const auto zip = ZipArchive::open(test::zipOf(entries));
    return readSheetText(
        std::get<ZipArchive>(zip), kPart, kContext, [](double) { return true; }, reader);
}

// The archive of the XML, the checksum its headers give for it changed in
// both, which must agree.
QByteArray withWrongChecksum(const QByteArray& xml) {
    QByteArray zip = test::zipOf({{kPart, xml}});
    const auto flip = [&](const char* signature, qsizetype checksumAt) {
        const qsizetype at = zip.indexOf(signature) + checksumAt;
        zip[at] = char(zip[at] ^ 0x01);
    };
    flip("PK\x03\x04", 14);
    flip("PK\x01\x02", 16);
    return zip;
}

QString shown(const std::variant<QString, UnreadFile>& text) {
    if (const auto* unread = std::get_if<UnreadFile>(&text))
        return QStringLiteral("refused: ") + unread->reason;
    return std::get<QString>(text);
}

} // namespace

class TstSheetScanner : public QObject {
    Q_OBJECT

  private slots:
    void readsWhatWorkbooksWrite_data();
    void readsWhatWorkbooksWrite();
    void longTextsReadAcrossParts_data();
    void longTextsReadAcrossParts();
    void leavesTheRestToQtsReader_data();
    void leavesTheRestToQtsReader();
    void largeSheetsReadTheSameOnTwoThreads_data();
    void largeSheetsReadTheSameOnTwoThreads();
    void aWrongChecksumIsRefused_data();
    void aWrongChecksumIsRefused();
};

void TstSheetScanner::readsWhatWorkbooksWrite_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("text");
    QTest::newRow("prolog, namespaces, dates, shared strings")
        << QByteArray(
               "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
               "<worksheet xmlns=\"urn:m\" xmlns:x14ac=\"urn:x\"><sheetData>"
               "<row r=\"1\" spans=\"1:3\" x14ac:dyDescent=\"0.2\"><c r=\"A1\" s=\"1\">"
               "<v>45292</v></c><c r=\"B1\" t=\"s\"><v>0</v></c><c r=\"C1\"><v>120.5</v>"
               "</c></row></sheetData></worksheet>")
        << QStringLiteral("2024/01/01\t得意先\t120.5\n");
    QTest::newRow("entities, character references, quoting")
        << QByteArray("<worksheet xmlns=\"urn:m\"><sheetData><row r='1'><c r='A1' t=\"inlineStr\">"
                      "<is><t xml:space=\"preserve\">a &lt;b&gt; &amp;&quot;&#12354;&#x3044;</t>"
                      "</is></c><c r=\"C1\" t=\"s\"><v>1</v></c></row></sheetData></worksheet>")
        << QStringLiteral("\"a <b> &\"\"あい\"\t\t\"x\ty\"\n");
    QTest::newRow("white space, empty elements, rows skipped")
        << QByteArray("<worksheet xmlns=\"urn:m\">\n  <sheetData>\n    <row r=\"2\">\n      "
                      "<c r=\"B2\" t=\"inlineStr\"><is><t>日本語</t></is></c>\n      "
                      "<c r=\"C2\"/>\n    </row>\n  </sheetData>\n</worksheet>\n")
        << QStringLiteral("\n\t日本語\n");
    QTest::newRow("a prefix declared where it is used, quotes and '>' in values")
        << QByteArray("<?xml version='1.0' encoding='utf-8'?><worksheet xmlns=\"urn:m\">"
                      "<sheetData><row r=\"1\" xmlns:y=\"urn:y\" y:note='a>\"b\"'><c r=\"A1\">"
                      "<v>7</v></c></row></sheetData></worksheet>")
        << QStringLiteral("7\n");
    QTest::newRow("whole cells: attributes in any order, kept dates and texts by their style")
        << QByteArray("<worksheet xmlns=\"urn:m\"><sheetData><row r=\"1\"><c t=\"s\" r=\"A1\">"
                      "<v>0</v></c><c s='1' r='B1'><v>45292</v></c><c r=\"C1\" s=\"0\"><v>45292"
                      "</v></c><c r=\"D1\"/><c r=\"E1\" t=\"inlineStr\"><is><t>備考</t></is></c>"
                      "<c r=\"F1\" t=\"inlineStr\"><is><t>備考</t></is></c><c r=\"G1\" "
                      "t=\"inlineStr\"><is><t xml:space=\"preserve\"> a_x000D_b</t></is></c>"
                      "<c r=\"H1\"><v>-0</v></c></row><row r=\"2\"><c r=\"A2\" s=\"1\"><v>45292"
                      "</v></c><c r=\"B2\" t=\"inlineStr\"><is><t>備考</t></is></c></row>"
                      "</sheetData></worksheet>")
        << QStringLiteral("得意先\t2024/01/01\t45292\t\t備考\t備考\t\" a\rb\"\t0\n"
                          "2024/01/01\t備考\n");
    QTest::newRow("a cell within a cell, closed as Qt's reader closes it")
        << QByteArray("<worksheet xmlns=\"urn:m\"><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v>"
                      "<c r=\"B1\"><v>2</v></c></c></row></sheetData></worksheet>")
        << QStringLiteral("\t22\n");
    QTest::newRow("readings left out, prefixed elements")
        << QByteArray("<x:worksheet xmlns:x=\"urn:m\"><x:sheetData><x:row><x:c t=\"inlineStr\">"
                      "<x:is><x:r><x:t>東京</x:t></x:r><x:rPh sb=\"0\" eb=\"2\"><x:t>トウキョウ"
                      "</x:t></x:rPh></x:is></x:c></x:row></x:sheetData></x:worksheet>")
        << QStringLiteral("東京\n");
}

void TstSheetScanner::readsWhatWorkbooksWrite() {
    QFETCH(QByteArray, xml);
    QFETCH(QString, text);
    QCOMPARE(shown(readBy(xml, SheetReader::XmlReaderOnly)), text);
    // Every cut through a tag, a name, a reference or a character.
    for (const qsizetype partSize : {qsizetype(1), qsizetype(2), qsizetype(7), xml.size()}) {
        const Scanned read = scanned(xml, partSize);
        QVERIFY2(!read.declined && read.ended, qPrintable(QString::number(partSize)));
        QCOMPARE(shown(read.text), text);
    }
}

// A text begun in one part is read with as much of the next as ends it,
// however much that is.
void TstSheetScanner::longTextsReadAcrossParts_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("partSize");
    QTest::newRow("ended in the first bytes of the next part") << 10'000 << 8'000;
    QTest::newRow("ended further into the next part") << 100'000 << 80'000;
    QTest::newRow("ended in the next part, read whole") << 30'000 << 20'000;
    QTest::newRow("ended parts later") << 100'000 << 20'000;
    QTest::newRow("its end tag ended in the last byte of a part") << 20'000 - 82 << 10'000;
}

void TstSheetScanner::longTextsReadAcrossParts() {
    QFETCH(int, length);
    QFETCH(int, partSize);
    const QByteArray text(length, 'a');
    const QByteArray xml = "<worksheet xmlns=\"urn:m\"><sheetData><row r=\"1\"><c r=\"A1\" "
                           "t=\"inlineStr\"><is><t>" +
                           text +
                           "</t></is></c><c r=\"B1\"><v>2</v></c></row></sheetData></worksheet>";
    const Scanned read = scanned(xml, partSize);
    QVERIFY(!read.declined && read.ended);
    QCOMPARE(shown(read.text), QLatin1StringView(text) + QStringLiteral("\t2\n"));
}

void TstSheetScanner::leavesTheRestToQtsReader_data() {
    QTest::addColumn<QByteArray>("xml");
    const QByteArray begin = "<worksheet xmlns=\"urn:m\"><sheetData><row r=\"1\">";
    const QByteArray end = "</row></sheetData></worksheet>";
    const auto cells = [&](const char* name, const QByteArray& inRow) {
        QTest::newRow(name) << begin + inRow + end;
    };
    cells("comment", "<!-- x --><c r=\"A1\"><v>1</v></c>");
    cells("CDATA", "<c r=\"A1\" t=\"str\"><v><![CDATA[<1>]]></v></c>");
    cells("undeclared prefix", "<c r=\"A1\" y:a=\"1\"><v>1</v></c>");
    cells("prefix out of scope", "<c r=\"A1\" xmlns:y=\"urn:y\"/><c r=\"B1\" y:a=\"1\"/>");
    cells("attribute twice", "<c r=\"A1\" r=\"B1\"><v>1</v></c>");
    cells("unknown entity", "<c r=\"A1\" t=\"str\"><v>&nbsp;</v></c>");
    cells("not UTF-8", "<c r=\"A1\" t=\"str\"><v>\x93\xfa</v></c>");
    cells("surrogate", "<c r=\"A1\" t=\"str\"><v>\xED\xA0\x80</v></c>");
    cells("control character", "<c r=\"A1\" t=\"str\"><v>\x01</v></c>");
    cells("carriage return", "<c r=\"A1\" t=\"str\"><v>1\r\n2</v></c>");
    cells("CDATA end in text", "<c r=\"A1\" t=\"str\"><v>]]></v></c>");
    cells("tags crossed", "<c r=\"A1\"><v>1</c></v>");
    cells("text past the part limit",
          "<c r=\"A1\" t=\"inlineStr\"><is><t>" + QByteArray(2500 * 1024, 'a') + "</t></is></c>");
    QTest::newRow("encoding other than UTF-8")
        << "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" + begin + end;
    QTest::newRow("XML 1.1") << "<?xml version=\"1.1\"?>" + begin + end;
    QTest::newRow("declaration out of order")
        << "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>" + begin + end;
    QTest::newRow("declaration after white space") << " <?xml version=\"1.0\"?>" + begin + end;
    QTest::newRow("cut short") << begin + "<c r=\"A1\"><v>1";
    QTest::newRow("a tag begun after the root") << begin + end + "\r</";
}

void TstSheetScanner::leavesTheRestToQtsReader() {
    QFETCH(QByteArray, xml);
    // In parts as an archive hands them, so that a run of text can outgrow
    // what the scanner holds back.
    const Scanned read = scanned(xml, kArchivePart);
    QVERIFY(read.declined || !read.ended);
    QCOMPARE(shown(readBy(xml, SheetReader::ScannerFirst)),
             shown(readBy(xml, SheetReader::XmlReaderOnly)));
}

// Past the size from which a sheet is scanned on a thread of its own while
// it is built on another: cells read whole and tag by tag, across parts.
void TstSheetScanner::largeSheetsReadTheSameOnTwoThreads_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<bool>("readable");
    const auto rows = [](const QByteArray& midway) {
        QByteArray xml = "<worksheet xmlns=\"urn:m\"><sheetData>";
        for (int row = 1; row <= kLargeRows; ++row) {
            const QByteArray r =
                QByteArray::number(row == kLargeRows / 2 && midway == "1" ? 1 : row);
            xml += "<row r=\"" + r + "\" spans=\"1:5\"><c r=\"A" + r +
                   "\" s=\"1\"><v>45292</v></c>"
                   "<c r=\"B" +
                   r + "\" t=\"s\"><v>1</v></c><c r=\"C" + r +
                   "\" cm=\"1\"><v>12.5</v></c>"
                   "<c r=\"D" +
                   r +
                   "\" t=\"inlineStr\"><is><r><t>東京</t></r><rPh sb=\"0\" eb=\"2\">"
                   "<t>トウキョウ</t></rPh></is></c><c r=\"E" +
                   r + "\" t=\"inlineStr\"><is><t>" + kLongNote +
                   " &amp; b"
                   "</t></is></c>" +
                   (row == kLargeRows / 2 && midway != "1" ? midway : QByteArray()) + "</row>";
        }
        return xml + "</sheetData></worksheet>";
    };
    QTest::newRow("whole") << rows({}) << true;
    QTest::newRow("a row out of order midway") << rows("1") << false;
    QTest::newRow("a comment midway, left to Qt's reader") << rows("<!-- x -->") << true;
    const QByteArray whole = rows({});
    QTest::newRow("cut short") << whole.chopped(1000) << false;
}

void TstSheetScanner::largeSheetsReadTheSameOnTwoThreads() {
    QFETCH(QByteArray, xml);
    QFETCH(bool, readable);
    QVERIFY(xml.size() > 4 * kArchivePart);
    const QString read = shown(readBy(xml, SheetReader::ScannerFirst));
    QCOMPARE(read, shown(readBy(xml, SheetReader::XmlReaderOnly)));
    if (readable)
        QCOMPARE(read, (QStringLiteral("2024/01/01\t\"x\ty\"\t12.5\t東京\t") +
                        QLatin1StringView(kLongNote) + QStringLiteral(" & b\n"))
                           .repeated(kLargeRows));
    else
        QVERIFY(read.startsWith(QStringLiteral("refused: ")));
}

// The building thread sums a large sheet's bytes, minizip a small one's.
void TstSheetScanner::aWrongChecksumIsRefused_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("scanned");
    QTest::newRow("large, scanned on a thread of its own") << 2 * kLargeRows << true;
    QTest::newRow("large, by Qt's reader") << 2 * kLargeRows << false;
    QTest::newRow("small, scanned") << 3 << true;
}

void TstSheetScanner::aWrongChecksumIsRefused() {
    QFETCH(int, rows);
    QFETCH(bool, scanned);
    const SheetReader reader = scanned ? SheetReader::ScannerFirst : SheetReader::XmlReaderOnly;
    QByteArray xml = "<worksheet><sheetData>";
    for (int row = 1; row <= rows; ++row)
        xml += "<row><c><is><t>" + kLongNote + "</t></is></c></row>";
    xml += "</sheetData></worksheet>";
    QCOMPARE(xml.size() > 4 * kArchivePart, rows > 3);
    const auto zip = ZipArchive::open(withWrongChecksum(xml));
    const auto text = readSheetText(
        std::get<ZipArchive>(zip), kPart, kContext, [](double) { return true; }, reader);
    QCOMPARE(shown(text), QStringLiteral("refused: ") + ZipArchive::checksumFailed(kPart));
}

QTEST_GUILESS_MAIN(TstSheetScanner)
#include "tst_sheet_scanner.moc"
