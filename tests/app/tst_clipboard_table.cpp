// A copied table pastes back cell for cell: the plain text as this program's
// own reader splits a paste, the HTML with a line break kept in its cell.
#include "clipboard_table.h"
#include "source_lines.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

using namespace tokivane;

class TestClipboardTable : public QObject {
    Q_OBJECT

  private slots:
    void pastesBackCellForCell_data();
    void pastesBackCellForCell();
};

void TestClipboardTable::pastesBackCellForCell_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("quoted");
    // The cell as the HTML table holds it.
    QTest::addColumn<QString>("html");

    const QString br = u"<br style=\"mso-data-placement:same-cell\">"_qs;
    QTest::newRow("plain") << u"25/11/20"_qs << false << u"25/11/20"_qs;
    QTest::newRow("tab") << u"未定\t保留"_qs << true << u"未定\t保留"_qs;
    QTest::newRow("LF") << u"1行目\n2行目"_qs << true << u"1行目"_qs + br + u"2行目"_qs;
    QTest::newRow("CRLF") << u"1行目\r\n2行目"_qs << true << u"1行目"_qs + br + u"2行目"_qs;
    QTest::newRow("CR") << u"1行目\r2行目"_qs << true << u"1行目"_qs + br + u"2行目"_qs;
    QTest::newRow("leading quote") << u"\"見積\" 済"_qs << true << u"&quot;見積&quot; 済"_qs;
    QTest::newRow("inner quote") << u"A\"B"_qs << false << u"A&quot;B"_qs;
}

void TestClipboardTable::pastesBackCellForCell() {
    QFETCH(QString, cell);
    QFETCH(bool, quoted);
    QFETCH(QString, html);

    const QList<QStringList> lines{{cell, u"右"_qs}, {u"下"_qs, u"右下"_qs}};
    copyToClipboard(clipboardTableOf(lines));
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied);

    const QString text = copied->text();
    QCOMPARE(text.startsWith(u'"'), quoted);
    QList<QStringList> pasted;
    for (const SourceLine& line : sourceLinesOf(text)) {
        QVERIFY(!line.unbalancedQuote);
        pasted.append(line.cells);
    }
    QCOMPARE(pasted, lines);

    QVERIFY2(copied->html().contains(u"'\\@'\">"_qs + html + u"</td>"_qs),
             qPrintable(copied->html()));
}

QTEST_MAIN(TestClipboardTable)
#include "tst_clipboard_table.moc"
