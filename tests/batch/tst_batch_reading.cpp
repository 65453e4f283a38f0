#include "batch_columns.h"
#include "batch_table.h"
#include "csv_file.h"
#include "file_text.h"
#include "shift_jis.h"

#include <QTest>
#include <chrono>
#include <variant>

using namespace tokivane;
using namespace std::chrono;

// Pastes and files as bookkeepers have them: which column is judged, whether
// the first line names the columns, and what every row holds.

namespace {

const FixedClock kClock{year{2025} / November / day{15}};

// Each row as "line|cell|cell...|date or note".
QStringList rowsOf(const BatchTable& table) {
    QStringList rows;
    for (const BatchRow& row : table.rows) {
        QStringList parts{QString::number(row.line)};
        parts += cellsOf(table, row);
        parts.append(row.date ? dateTextOf(*row.date) : unreadNote(row.unread));
        rows.append(parts.join(u'|'));
    }
    return rows;
}

QString decoded(const QByteArray& bytes) {
    const auto text = textOfFileBytes(bytes);
    return std::holds_alternative<QString>(text)
               ? std::get<QString>(text)
               : u"refused: "_qs + std::get<UnreadFile>(text).reason;
}

} // namespace

class TestBatchReading : public QObject {
    Q_OBJECT

  private slots:
    void lines_data();
    void lines();
    void fileBytes_data();
    void fileBytes();
    void notReadSaysWhy_data();
    void notReadSaysWhy();
    void csvCellQuotesOnlyWhatNeedsIt_data();
    void csvCellQuotesOnlyWhatNeedsIt();
    void csvRoundTrip();
    void shiftJisRefusesWhatItCannotHold();
};

void TestBatchReading::lines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("column");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("one spreadsheet column, final break ignored")
        << u"25/11/20\r\n11/3\r\n\r\n2025/02/30\r\n"_qs << qsizetype(0) << QStringList{u"列1"_qs}
        << QStringList{u"1|25/11/20|25/11/20"_qs, u"2|11/3|25/11/03"_qs, u"3||空行"_qs,
                       u"4|2025/02/30|存在しない日付です"_qs};
    QTest::newRow("cells with a header, dates in the second column")
        << u"伝票番号\t日付\t金額\nA-1\t2025/11/01\t1,200\nA-2\t2025/11/30\t800\n"_qs
        << qsizetype(1) << QStringList{u"伝票番号"_qs, u"日付"_qs, u"金額"_qs}
        << QStringList{u"2|A-1|2025/11/01|1,200|25/11/01"_qs, u"3|A-2|2025/11/30|800|25/11/30"_qs};
    QTest::newRow("a quantity column before the dates")
        << u"数量,出荷日\n3,R7.11.1\n12,R7.11.2\n28,R7.11.3"_qs << qsizetype(1)
        << QStringList{u"数量"_qs, u"出荷日"_qs}
        << QStringList{u"2|3|R7.11.1|25/11/01"_qs, u"3|12|R7.11.2|25/11/02"_qs,
                       u"4|28|R7.11.3|25/11/03"_qs};
    QTest::newRow("CSV with quoted commas, quotes and a line break")
        << u"受注日,得意先,備考\r\n2025/10/31,\"山田商事, 本社\",\"二行\r\nの\"\"注記\"\"\"\r\n2025/11/01,鈴木,\r"_qs
        << qsizetype(0) << QStringList{u"受注日"_qs, u"得意先"_qs, u"備考"_qs}
        << QStringList{u"2|2025/10/31|山田商事, 本社|二行\r\nの\"注記\"|25/10/31"_qs,
                       u"4|2025/11/01|鈴木||25/11/01"_qs};
    QTest::newRow("ragged lines and an unclosed quote")
        << u"2025/11/01,a\n2025/11/02\n\"2025/11/03,b"_qs << qsizetype(0)
        << QStringList{u"列1"_qs, u"列2"_qs}
        << QStringList{u"1|2025/11/01|a|25/11/01"_qs, u"2|2025/11/02|25/11/02"_qs,
                       u"3|\"2025/11/03|b|25/11/03"_qs};
    QTest::newRow("no column of dates")
        << u"りんご\nみかん"_qs << qsizetype(0) << QStringList{u"列1"_qs}
        << QStringList{u"1|りんご|日付ではありません"_qs, u"2|みかん|日付ではありません"_qs};
}

void TestBatchReading::lines() {
    QFETCH(QString, text);
    QFETCH(qsizetype, column);
    QFETCH(QStringList, headers);
    QFETCH(QStringList, rows);
    const BatchTable table = readBatch(text, kClock);
    QCOMPARE(table.judgedColumn, column);
    QCOMPARE(table.inputHeaders, headers);
    QCOMPARE(rowsOf(table), rows);
}

void TestBatchReading::notReadSaysWhy_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("inputColumns");
    // 備考 of every row.
    QTest::addColumn<QStringList>("notes");

    QTest::newRow("more cells than are shown")
        << u"2025/11/01"_qs + u",x"_qs.repeated(150) + u"\n2025/11/02,y"_qs << kMaxInputColumns
        << QStringList{u"101列目以降は表示していません"_qs, QString()};
    QTest::newRow("an unclosed quote in a line of no date")
        << u"2025/11/01\n\"請求書\n2025/11/02"_qs << qsizetype(1)
        << QStringList{QString(), u"日付ではありません、引用符が閉じていません"_qs, QString()};
    QTest::newRow("a line of a million characters")
        << u"2025/11/01\n"_qs + QString(1'000'000, u'x') + u"\n2025/11/02"_qs << qsizetype(1)
        << QStringList{QString(), u"日付ではありません"_qs, QString()};
    QTest::newRow("a record date after a million blanks")
        << u"2025/11/01\n"_qs + QString(1'000'000, u' ') + u"2025/11/02\n2025/11/03"_qs
        << qsizetype(1) << QStringList{QString(), QString(), QString()};
}

void TestBatchReading::notReadSaysWhy() {
    QFETCH(QString, text);
    QFETCH(qsizetype, inputColumns);
    QFETCH(QStringList, notes);
    const BatchTable table = readBatch(text, kClock);
    QCOMPARE(table.inputHeaders.size(), inputColumns);
    const int note = batchColumnCount(table) - 1;
    QCOMPARE(batchHeaderText(table, note), u"備考"_qs);
    QStringList shown;
    for (const BatchRow& row : table.rows)
        shown.append(batchCellText(table, row, note));
    QCOMPARE(shown, notes);
}

void TestBatchReading::fileBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString japanese = u"日付,得意先\r\n2025/11/20,㈱山田～①\r\n"_qs;

    QTest::newRow("UTF-8 with a byte-order mark")
        << QByteArray("\xEF\xBB\xBF") + japanese.toUtf8() << japanese;
    QTest::newRow("UTF-8 without a mark") << japanese.toUtf8() << japanese;
    QTest::newRow("UTF-16LE with a mark, as spreadsheets save Unicode text")
        << QByteArray("\xFF\xFE") +
               QByteArray(reinterpret_cast<const char*>(japanese.utf16()), japanese.size() * 2)
        << japanese;
    // 日付 ㈱ ～ ① as code page 932 writes them.
    QTest::newRow("Shift_JIS") << QByteArray("\x93\xfa\x95\x74,\x87\x8a\x81\x60\x87\x40\r\n")
                               << u"日付,㈱～①\r\n"_qs;
    QTest::newRow("NUL bytes")
        << QByteArray("2025/11/20\0\x01\x02", 13)
        << u"refused: テキストファイルではありません（NUL文字を含みます）"_qs;
}

void TestBatchReading::fileBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decoded(bytes), text);
}

// Exactly as saved: a round trip reads back a cell quoted when it need not be.
void TestBatchReading::csvCellQuotesOnlyWhatNeedsIt_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("saved");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("plain") << u"得意先 一"_qs << u"得意先 一"_qs;
    QTest::newRow("comma") << u"a,b"_qs << u"\"a,b\""_qs;
    QTest::newRow("leading blank") << u" a"_qs << u"\" a\""_qs;
    QTest::newRow("trailing blank") << u"a "_qs << u"\"a \""_qs;
    QTest::newRow("quote last") << u"12\""_qs << u"\"12\"\"\""_qs;
    QTest::newRow("quotes side by side") << u"a\"\"b"_qs << u"\"a\"\"\"\"b\""_qs;
    QTest::newRow("only a quote") << u"\""_qs << u"\"\"\"\""_qs;
}

void TestBatchReading::csvCellQuotesOnlyWhatNeedsIt() {
    QFETCH(QString, cell);
    QFETCH(QString, saved);
    QCOMPARE(csvCell(cell), saved);
}

void TestBatchReading::csvRoundTrip() {
    const QList<QStringList> lines{{u"日付"_qs, u"得意先, 支店"_qs},
                                   {u"2025/11/20"_qs, u"\"引用\"と\n改行"_qs},
                                   {u"2025/11/21"_qs, u" 空白"_qs},
                                   {u"2025/11/22"_qs, u""_qs}};
    const QString text = csvText(lines);
    QVERIFY(text.endsWith(u"\r\n"_qs));
    for (const CsvEncoding encoding : {CsvEncoding::Utf8WithBom, CsvEncoding::ShiftJis}) {
        const auto bytes = csvBytes(text, encoding);
        QVERIFY(bytes.has_value());
        QCOMPARE(bytes->startsWith("\xEF\xBB\xBF"), encoding == CsvEncoding::Utf8WithBom);
        QCOMPARE(decoded(*bytes), text);
        const BatchTable table = readBatch(decoded(*bytes), kClock);
        QCOMPARE(table.inputHeaders, lines[0]);
        QCOMPARE(table.rows.size(), 3);
        for (qsizetype at = 0; at < table.rows.size(); ++at)
            QCOMPARE(cellsOf(table, table.rows[at]), lines[at + 1]);
    }
}

void TestBatchReading::shiftJisRefusesWhatItCannotHold() {
    QCOMPARE(encodeShiftJis(u"日付①～"_qs), QByteArray("\x93\xfa\x95\x74\x87\x40\x81\x60"));
    QVERIFY(!encodeShiftJis(u"絵文字😀"_qs));
    QVERIFY(!encodeShiftJis(u"한국어"_qs));
}

QTEST_APPLESS_MAIN(TestBatchReading)
#include "tst_batch_reading.moc"
