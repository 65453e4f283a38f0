#include "column_width.h"
#include "date_cell.h"
#include "file_text.h"
#include "number_cell.h"
#include "sheet_limits.h"
#include "sheet_names.h"
#include "text_escapes.h"
#include "workbook_writer.h"
#include "zip_archive.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QXmlStreamReader>

using namespace tokivane;
using namespace std::chrono;

namespace {

// One cell of a written sheet as its XML gives it.
struct WrittenCell {
    QString type;
    int style = 0;
    QString value;
};

QString attribute(const QXmlStreamReader& xml, const char* name) {
    return xml.attributes().value(QLatin1StringView(name)).toString();
}

// An entry of the saved workbook, read as the program reads workbooks: from
// the file's bytes, so that no path goes through the C library.
QByteArray entryOf(const QString& zipPath, const char* entry) {
    QFile file(zipPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const auto zip = ZipArchive::open(file.readAll());
    if (!std::holds_alternative<ZipArchive>(zip))
        return {};
    const auto bytes =
        std::get<ZipArchive>(zip).readWhole(QString::fromLatin1(entry), kMaxFileBytes);
    return std::holds_alternative<QByteArray>(bytes) ? std::get<QByteArray>(bytes) : QByteArray();
}

// The cells by reference ("B2"): a value's text, or an inline string's.
QHash<QString, WrittenCell> cellsOf(const QByteArray& sheetXml) {
    QHash<QString, WrittenCell> cells;
    QXmlStreamReader xml(sheetXml);
    QString ref;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"c") {
            ref = attribute(xml, "r");
            cells[ref] = {attribute(xml, "t"), attribute(xml, "s").toInt(), {}};
        } else if (xml.name() == u"v" || xml.name() == u"t") {
            cells[ref].value = xml.readElementText();
        }
    }
    return cells;
}

// The number format code of a cell style, from its numFmtId's custom format.
QString formatCodeOf(const QByteArray& stylesXml, int style) {
    QXmlStreamReader xml(stylesXml);
    QHash<QString, QString> codes;
    bool inCellStyles = false;
    int at = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"numFmt")
            codes[attribute(xml, "numFmtId")] = attribute(xml, "formatCode");
        else if (xml.name() == u"cellXfs")
            inCellStyles = true;
        else if (inCellStyles && xml.name() == u"xf" && at++ == style)
            return codes.value(attribute(xml, "numFmtId"));
    }
    return {};
}

SheetTable smallLedger() {
    return {u"判定結果"_qs,
            {{u"得意先"_qs, u"回収予定日"_qs, u"金額"_qs, u"備考"_qs},
             {u"得意先A"_qs, u"25/11/28"_qs, u"1,234.50"_qs, u" 先頭に空白"_qs},
             {u"得意先B"_qs, u"未定"_qs, u"-1,234"_qs, QString()},
             {u"得意先C"_qs, u"2025-01-05"_qs, u"12件"_qs, u"Yes"_qs}},
            {SheetColumn::Text, SheetColumn::Date, SheetColumn::Number, SheetColumn::Text}};
}

SheetTable withLongCell() {
    SheetTable table = smallLedger();
    table.cells[2][3] = QString(32'768, u'あ');
    return table;
}

} // namespace

Q_DECLARE_METATYPE(SheetTable)

class TstWorkbookWriter : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QString written_;

  private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        written_ = folder_.filePath(u"帳簿.xlsx"_qs);
        const auto failed = writeWorkbookFile(written_, {smallLedger(), smallLedger()});
        QVERIFY2(!failed, qPrintable(failed.value_or(QString())));
    }

    void datesOfCells_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("serial"); // 0: no date

        QTest::newRow("screen date text") << u"25/11/28"_qs << 45989;
        QTest::newRow("four-digit year") << u"2025/11/28"_qs << 45989;
        QTest::newRow("hyphens, one-digit month") << u"2024-2-29"_qs << 45351;
        QTest::newRow("first right serial") << u"1900/03/01"_qs << 61;
        QTest::newRow("last date") << u"9999/12/31"_qs << 2958465;
        QTest::newRow("before the first right serial") << u"1900/02/28"_qs << 0;
        QTest::newRow("no such day") << u"2025/02/29"_qs << 0;
        QTest::newRow("mixed separators") << u"2025/01-05"_qs << 0;
        QTest::newRow("three-digit year") << u"202/1/5"_qs << 0;
        QTest::newRow("text after") << u"2025/1/5 頃"_qs << 0;
        QTest::newRow("full-width digits") << u"２０２５/1/5"_qs << 0;
        QTest::newRow("month only") << u"2025年11月"_qs << 0;
    }
    void datesOfCells() {
        QFETCH(QString, cell);
        QFETCH(int, serial);
        const auto date = dateOfCell(cell);
        QCOMPARE(date ? serialOfDate(*date) : 0, serial);
    }

    void numbersOfCells_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("read");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("decimals");

        QTest::newRow("digits") << u"1234"_qs << true << 1234.0 << false;
        QTest::newRow("screen amount") << u"-1,234"_qs << true << -1234.0 << false;
        QTest::newRow("screen decimals") << u"1,234.50"_qs << true << 1234.5 << true;
        QTest::newRow("triangle minus") << u"△1,234"_qs << true << -1234.0 << false;
        QTest::newRow("yen sign") << u"¥1,234"_qs << true << 1234.0 << false;
        QTest::newRow("fifteen digits")
            << u"999,999,999,999,999"_qs << true << 999999999999999.0 << false;
        QTest::newRow("fifteen with decimals")
            << u"9,999,999,999,999.99"_qs << true << 9999999999999.99 << true;
        QTest::newRow("sixteen digits") << u"1,000,000,000,000,000"_qs << false << 0.0 << false;
        QTest::newRow("sixteen with decimals")
            << u"99,999,999,999,999.99"_qs << false << 0.0 << false;
        QTest::newRow("words") << u"12件"_qs << false << 0.0 << false;
        QTest::newRow("wrong grouping") << u"12,34"_qs << false << 0.0 << false;
    }
    void numbersOfCells() {
        QFETCH(QString, cell);
        QFETCH(bool, read);
        QFETCH(double, value);
        QFETCH(bool, decimals);
        const auto number = numberOfCell(cell);
        QCOMPARE(number.has_value(), read);
        if (number)
            QCOMPARE(*number, (SheetNumber{value, decimals}));
    }

    void widths_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<double>("column");

        QTest::newRow("empty") << QString() << 0 << 4.0;
        QTest::newRow("ascii") << u"Yes"_qs << 3 << 5.0;
        QTest::newRow("kanji and kana") << u"回収予定日です"_qs << 14 << 16.0;
        QTest::newRow("full-width digits") << u"１２"_qs << 4 << 6.0;
        QTest::newRow("half-width kana") << u"ｶﾅ"_qs << 2 << 4.0;
        QTest::newRow("supplementary ideograph") << u"𠮷野"_qs << 4 << 6.0;
        QTest::newRow("widest line") << u"ab\n回収予定"_qs << 8 << 10.0;
        QTest::newRow("capped") << QString(100, u'あ') << 200 << 60.0;
    }
    void widths() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(double, column);
        QCOMPARE(textWidth(text), width);
        QVERIFY(width <= widestTextOf(text.size()));
        QCOMPARE(columnWidthFor(width), column);
    }

    void sheetTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");

        QTest::newRow("plain") << u"得意先_A_x"_qs << u"得意先_A_x"_qs;
        QTest::newRow("escape-like") << u"_x0041_"_qs << u"_x005F_x0041_"_qs;
        QTest::newRow("capital X, mixed hex") << u"a_X00fF_b"_qs << u"a_x005F_X00fF_b"_qs;
        QTest::newRow("not hex") << u"_x00G1_"_qs << u"_x00G1_"_qs;
        QTest::newRow("too short") << u"_x041_"_qs << u"_x041_"_qs;
        QTest::newRow("NUL") << u"a"_qs + QChar(u'\0') + u"b"_qs << u"a_x0000_b"_qs;
    }
    void sheetTexts() {
        QFETCH(QString, text);
        QFETCH(QString, written);
        QCOMPARE(sheetTextOf(text), written);
    }

    void sheetNames_data() {
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<QStringList>("sheets");

        QTest::newRow("kept") << QStringList{u"回収予定日別"_qs, u"月別"_qs}
                              << QStringList{u"回収予定日別"_qs, u"月別"_qs};
        QTest::newRow("forbidden characters")
            << QStringList{u"a/b:c[1]*?\\"_qs} << QStringList{u"a／b：c［1］＊？＼"_qs};
        QTest::newRow("apostrophes at the ends")
            << QStringList{u"'月'別'"_qs} << QStringList{u"月'別"_qs};
        QTest::newRow("empty") << QStringList{QString(), u"''"_qs}
                               << QStringList{u"シート1"_qs, u"シート2"_qs};
        QTest::newRow("alike ignoring case")
            << QStringList{u"Sheet"_qs, u"sheet"_qs, u"SHEET"_qs}
            << QStringList{u"Sheet"_qs, u"sheet (2)"_qs, u"SHEET (3)"_qs};
        QTest::newRow("reserved") << QStringList{u"history"_qs} << QStringList{u"history (2)"_qs};
        QTest::newRow("too long, twice")
            << QStringList{QString(40, u'あ'), QString(40, u'あ')}
            << QStringList{QString(31, u'あ'), QString(27, u'あ') + u" (2)"_qs};
        QTest::newRow("cut before a pair")
            << QStringList{QString(30, u'a') + u"𠮷"_qs} << QStringList{QString(30, u'a')};
        QTest::newRow("cut before an apostrophe")
            << QStringList{QString(30, u'a') + u"'b"_qs} << QStringList{QString(30, u'a')};
    }
    void sheetNames() {
        QFETCH(QStringList, tables);
        QFETCH(QStringList, sheets);
        QCOMPARE(sheetNamesOf(tables), sheets);
    }

    void refusals_data() {
        QTest::addColumn<SheetTable>("table");
        QTest::addColumn<QStringList>("saying"); // empty: it fits

        SheetTable longest = smallLedger();
        longest.cells[2][3] = QString(32'767, u'あ');
        QTest::newRow("longest cell fits") << longest << QStringList();
        QTest::newRow("cell too long")
            << withLongCell()
            << QStringList{u"判定結果"_qs, u"2行目"_qs, u"「備考」"_qs, u"32,768文字"_qs};
        QTest::newRow("too many rows") << SheetTable{u"多い"_qs, QList<QStringList>(1'048'577), {}}
                                       << QStringList{u"多い"_qs, u"1,048,577行"_qs};
        QTest::newRow("too many columns") << SheetTable{u"広い"_qs, {QStringList(16'385)}, {}}
                                          << QStringList{u"広い"_qs, u"16,385列"_qs};
    }
    void refusals() {
        QFETCH(SheetTable, table);
        QFETCH(QStringList, saying);
        const auto refusal = sheetRefusal(table);
        QCOMPARE(refusal.has_value(), !saying.isEmpty());
        for (const QString& part : saying)
            QVERIFY2(refusal->contains(part), qPrintable(*refusal));
    }

    void writtenCells_data() {
        QTest::addColumn<QString>("ref");
        QTest::addColumn<QString>("type"); // empty: a number
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("format"); // of a custom number format

        QTest::newRow("header") << u"A1"_qs << u"inlineStr"_qs << u"得意先"_qs << QString();
        QTest::newRow("text") << u"A2"_qs << u"inlineStr"_qs << u"得意先A"_qs << QString();
        QTest::newRow("blank kept")
            << u"D2"_qs << u"inlineStr"_qs << u" 先頭に空白"_qs << QString();
        QTest::newRow("screen date") << u"B2"_qs << QString() << u"45989"_qs << u"yyyy/mm/dd"_qs;
        QTest::newRow("hyphen date") << u"B4"_qs << QString() << u"45662"_qs << u"yyyy/mm/dd"_qs;
        QTest::newRow("no date") << u"B3"_qs << u"inlineStr"_qs << u"未定"_qs << QString();
        QTest::newRow("decimals") << u"C2"_qs << QString() << u"1234.5"_qs << QString();
        QTest::newRow("negative") << u"C3"_qs << QString() << u"-1234"_qs << QString();
        QTest::newRow("no number") << u"C4"_qs << u"inlineStr"_qs << u"12件"_qs << QString();
    }
    void writtenCells() {
        QFETCH(QString, ref);
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QString, format);
        const auto cells = cellsOf(entryOf(written_, "xl/worksheets/sheet1.xml"));
        QVERIFY(cells.contains(ref));
        QCOMPARE(cells[ref].type, type);
        QCOMPARE(cells[ref].value, value);
        if (!format.isEmpty())
            QCOMPARE(formatCodeOf(entryOf(written_, "xl/styles.xml"), cells[ref].style), format);
    }

    void writtenSheet() {
        const QByteArray sheet = entryOf(written_, "xl/worksheets/sheet1.xml");
        QVERIFY(!cellsOf(sheet).contains(u"D3"_qs));
        QVERIFY(sheet.contains("<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" "
                               "state=\"frozen\"/>"));
        const QByteArray book = entryOf(written_, "xl/workbook.xml");
        QVERIFY(book.contains(u"name=\"判定結果 (2)\""_qs.toUtf8()));
    }

    void failures_data() {
        QTest::addColumn<QString>("path"); // under the test's folder
        QTest::addColumn<bool>("existing");
        QTest::addColumn<SheetTable>("table");
        QTest::addColumn<bool>("temporaryFolder"); // false: TMPDIR names a file
        QTest::addColumn<QString>("saying");

        QTest::newRow("no such folder")
            << u"ない/帳簿.xlsx"_qs << false << smallLedger() << true << u"保存できません"_qs;
        QTest::newRow("refused, file kept")
            << u"前の帳簿.xlsx"_qs << true << withLongCell() << true << u"上限"_qs;
#ifndef Q_OS_WIN
        // Windows finds its temporary folder elsewhere than in TMPDIR.
        QTest::newRow("no temporary folder, file kept")
            << u"前の帳簿.xlsx"_qs << true << smallLedger() << false << u"一時フォルダ"_qs;
#endif
    }
    void failures() {
        QFETCH(QString, path);
        QFETCH(bool, existing);
        QFETCH(SheetTable, table);
        QFETCH(bool, temporaryFolder);
        QFETCH(QString, saying);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString target = folder.filePath(path);
        const QByteArray before = "前の中身";
        if (existing) {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        const bool hadTmpdir = qEnvironmentVariableIsSet("TMPDIR");
        const QByteArray tmpdir = qgetenv("TMPDIR");
        QTemporaryFile notAFolder;
        if (!temporaryFolder) {
            QVERIFY(notAFolder.open());
            qputenv("TMPDIR", QFile::encodeName(notAFolder.fileName()));
        }
        const auto failed = writeWorkbookFile(target, {table});
        if (hadTmpdir)
            qputenv("TMPDIR", tmpdir);
        else
            qunsetenv("TMPDIR");

        QVERIFY(failed);
        QVERIFY2(failed->contains(saying), qPrintable(*failed));
        const QStringList left = QDir(folder.path()).entryList(QDir::Files);
        QCOMPARE(left, existing ? QStringList{path} : QStringList());
        if (existing) {
            QFile file(target);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before);
        }
    }
};

QTEST_GUILESS_MAIN(TstWorkbookWriter)
#include "tst_workbook_writer.moc"
