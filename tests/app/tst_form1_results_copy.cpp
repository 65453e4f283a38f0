// Copying every result as a table, by the shortcut from anywhere in the window
// and by the result area's context menu, as a spreadsheet takes it on paste.
#include "form_harness.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>

using namespace tokivane;
using namespace tokivane::harness;

namespace {

enum class State { BeforeExecute, AfterExecute, AfterClear };
enum class Route { ShortcutInText1, RightClickOnField, MenuKeyOnField, RightClickOnGroupTitle };

using Table = QList<QStringList>;

const QString kInvoicing = u"売上入金管理・請求書発行"_qs;
const QString kLedger = u"受注出荷管理・日報（売掛元帳）"_qs;
const QString kReports = u"受注出荷管理・日・週・月・年報"_qs;
const QString kPayments = u"入金内訳の締め日と集計期間"_qs;

// Group title and row caption of each line, in reading order.
const QList<QStringList> kRowHeads{
    {kInvoicing, u"締め日＝"_qs}, {kInvoicing, u"前回請求"_qs}, {kInvoicing, u"今回請求"_qs},
    {kLedger, u"日報"_qs},        {kLedger, u"加工残"_qs},      {kLedger, u"年間累計"_qs},
    {kReports, u"日報"_qs},       {kReports, u"週報"_qs},       {kReports, u"月報"_qs},
    {kReports, u"年報"_qs},       {kPayments, u"〆日"_qs},      {kPayments, u"月間"_qs},
    {kPayments, u"年間"_qs},
};

const QList<QStringList> kBeforeExecute(kRowHeads.size(), {"", "", ""});

// Judgement, start and end of each row, after the day's usual run: 2/29 in
// the record box with Enter, Execute with "20日".
const QList<QStringList> kTypicalRun{
    {"", "25/11/20", ""},
    {"No", "25/09/21", "25/10/20"},
    {"No", "25/10/21", "25/11/15"},
    {"No", "25/11/14", ""},
    {"Yes", "24/12/01", "25/11/14"},
    {"Yes", "24/12/01", "25/11/15"},
    {"No", "25/11/15", "25/11/15"},
    {"No", "25/11/10", "25/11/15"},
    {"No", "25/11/01", "25/11/15"},
    {"Yes", "24/12/01", "25/11/15"},
    {"", "25/11/20", ""},
    {"", "25/09/21", "25/10/20"},
    {"", "23/11/21", "24/11/20"},
};

// What Clear leaves: the judgements, the previous invoice and the fiscal year.
const QList<QStringList> kAfterClear{
    {"", "", ""},    {"No", "25/09/21", "25/10/20"},
    {"No", "", ""},  {"No", "", ""},
    {"Yes", "", ""}, {"Yes", "24/12/01", "25/11/15"},
    {"No", "", ""},  {"No", "", ""},
    {"No", "", ""},  {"Yes", "", ""},
    {"", "", ""},    {"", "", ""},
    {"", "", ""},
};

// Each line's head followed by its judgement, start and end.
Table filled(const QList<QStringList>& results) {
    Table table;
    for (qsizetype i = 0; i < kRowHeads.size(); ++i)
        table.append(kRowHeads[i] + results[i]);
    return table;
}

QString plainTextOf(const Table& table) {
    QString text;
    for (const QStringList& row : table)
        text += row.join(u'\t') + u"\r\n"_qs;
    return text;
}

// The texts of the HTML table's cells, row by row.
Table htmlCells(const QString& html) {
    static const QRegularExpression rowPattern(QStringLiteral("<tr>(.*?)</tr>"));
    static const QRegularExpression cellPattern(QStringLiteral("<td[^>]*>(.*?)</td>"));
    Table rows;
    for (const auto& row : rowPattern.globalMatch(html)) {
        QStringList cells;
        for (const auto& cell : cellPattern.globalMatch(row.captured(1)))
            cells.append(cell.captured(1));
        rows.append(cells);
    }
    return rows;
}

// Opens the context menu over a control, by the menu key once the control has
// focus or by a right click, and picks "結果をコピー" in it.
void copyFromContextMenu(QWidget* target, bool menuKey) {
    if (menuKey) {
        QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY(target->hasFocus());
        // The platform turns the menu key into a keyboard context menu event on
        // the window, which hands it to the focused control.
        QContextMenuEvent menuKeyEvent(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(target->window()->windowHandle(), &menuKeyEvent);
    } else {
        const QPoint middle = target->rect().center();
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, middle, target->mapToGlobal(middle));
        QApplication::sendEvent(target, &rightClick);
    }
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY2(menu, qPrintable(target->objectName()));
    const QList<QAction*> actions = menu->actions();
    const auto copy = std::ranges::find(actions, u"結果をコピー"_qs, &QAction::text);
    QVERIFY(copy != actions.end());
    menu->close();
    (*copy)->trigger();
}

} // namespace

class TestForm1ResultsCopy : public QObject {
    Q_OBJECT

  private slots:
    void copiesTheResultsAsATable_data();
    void copiesTheResultsAsATable();
};

void TestForm1ResultsCopy::copiesTheResultsAsATable_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("route");
    QTest::addColumn<Table>("expected");

    QTest::newRow("before any Execute, Ctrl+Shift+C in Text1")
        << int(State::BeforeExecute) << int(Route::ShortcutInText1) << filled(kBeforeExecute);
    QTest::newRow("after Execute, Ctrl+Shift+C in Text1")
        << int(State::AfterExecute) << int(Route::ShortcutInText1) << filled(kTypicalRun);
    QTest::newRow("after Execute, right click on a field")
        << int(State::AfterExecute) << int(Route::RightClickOnField) << filled(kTypicalRun);
    QTest::newRow("after Clear, menu key on a field")
        << int(State::AfterClear) << int(Route::MenuKeyOnField) << filled(kAfterClear);
    QTest::newRow("after Clear, right click on a group title")
        << int(State::AfterClear) << int(Route::RightClickOnGroupTitle) << filled(kAfterClear);
}

void TestForm1ResultsCopy::copiesTheResultsAsATable() {
    QFETCH(int, state);
    QFETCH(int, route);
    QFETCH(Table, expected);

    ShownForm shown;
    QVERIFY(shown.show());
    QWidget& form = *shown.form;
    if (State(state) != State::BeforeExecute) {
        typeAndEnter(text2(form), QStringLiteral("2/29"));
        QCOMPARE(click(executeButton(form)).size(), 0);
    }
    if (State(state) == State::AfterClear)
        QCOMPARE(click(clearButton(form)).size(), 0);
    QGuiApplication::clipboard()->setText(QStringLiteral("not copied"));

    switch (Route(route)) {
    case Route::ShortcutInText1:
        text1(form)->setFocus();
        QVERIFY(text1(form)->hasFocus());
        QTest::keyClick(text1(form), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        break;
    case Route::RightClickOnField:
        copyFromContextMenu(field(form, Label21), false);
        break;
    case Route::MenuKeyOnField:
        copyFromContextMenu(field(form, Label40), true);
        break;
    case Route::RightClickOnGroupTitle:
        copyFromContextMenu(control<QLabel>(form, QStringLiteral("Label2")), false);
        break;
    }
    if (QTest::currentTestFailed())
        return;

    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied);
    QCOMPARE(copied->text(), plainTextOf(expected));
    const QString html = copied->html();
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    QCOMPARE(htmlCells(html), expected);
    // Every cell marked as text, so that a spreadsheet keeps 25/11/20 as written.
    QCOMPARE(html.count(QStringLiteral("<td style=\"mso-number-format:'\\@'\">")),
             html.count(QStringLiteral("<td")));
}

QTEST_MAIN(TestForm1ResultsCopy)
#include "tst_form1_results_copy.moc"
