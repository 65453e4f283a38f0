// 一括判定 from the main window: pastes into the date boxes, judging what the
// window's inputs give, and a table saved and opened again.
#include "form_harness.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <thread>

#include "batch_window.h"
#include "csv_file.h"
#include "date_cell.h"
#include "shift_jis.h"
#include "work_progress.h"
#include "workbook_parts.h"

using namespace tokivane;
using namespace tokivane::harness;

namespace {

enum class Route { CtrlV, ShiftInsert, BoxMenu };

BatchWindow* batchWindow(QWidget& form) {
    return form.findChild<BatchWindow*>(QStringLiteral("BatchWindow"));
}

QAbstractItemModel* batchTable(BatchWindow& batch) {
    return control<QTableView>(batch, QStringLiteral("batchTable"))->model();
}

// Every cell as shown, header line first.
QList<QStringList> shownTable(QAbstractItemModel& model) {
    QList<QStringList> lines{{}};
    for (int column = 0; column < model.columnCount(); ++column)
        lines[0].append(model.headerData(column, Qt::Horizontal).toString());
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList line;
        for (int column = 0; column < model.columnCount(); ++column)
            line.append(model.index(row, column).data().toString());
        lines.append(line);
    }
    return lines;
}

// Saved as a workbook rather than in a CSV encoding.
constexpr int kWorkbook = -1;

bool sameCell(const QString& read, const QString& saved) {
    const auto date = dateOfCell(saved);
    return read == saved || (date && dateOfCell(read) == date);
}

int columnNamed(QAbstractItemModel& model, const QString& name) {
    for (int column = 0; column < model.columnCount(); ++column)
        if (model.headerData(column, Qt::Horizontal).toString() == name)
            return column;
    return -1;
}

void clickHeader(QTableView& view, int column) {
    QHeaderView* header = view.horizontalHeader();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
}

QStringList shownColumn(QAbstractItemModel& model, int column) {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row)
        cells.append(model.index(row, column).data().toString());
    return cells;
}

// Presses the cancel button of whatever progress bar shows.
void cancelProgressWhenShown() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* progress = qobject_cast<QProgressDialog*>(window);
        if (progress && progress->isVisible())
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    }
}

void pasteBy(Route route, QLineEdit* box) {
    box->setFocus();
    box->selectAll();
    switch (route) {
    case Route::CtrlV:
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        return;
    case Route::ShiftInsert:
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        return;
    case Route::BoxMenu: {
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, box->rect().center(),
                                  box->mapToGlobal(box->rect().center()));
        QApplication::sendEvent(box, &menuKey);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
        QVERIFY(paste);
        paste->trigger();
        menu->close();
        return;
    }
    }
}

} // namespace

class TestBatchWindow : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void pasteIntoDateBox_data();
    void pasteIntoDateBox();
    void judgesAgainOnExecute();
    void termsLineJudgesAgain();
    void dueDateOrderFollowsTheLine();
    void refusesWithExecutesMessage();
    void saveAndOpenAgain_data();
    void saveAndOpenAgain();
    void headerClicksSort();
    void cancelStopsLongWork();
    void droppedListAndLedgerGiveDueDates();
    void droppedWorkbookAsksForItsSheet();

  private:
    std::unique_ptr<ShownForm> shown_;
    Form1& form() { return *shown_->form; }
};

void TestBatchWindow::init() {
    shown_ = std::make_unique<ShownForm>();
    QVERIFY(shown_->show());
}

void TestBatchWindow::pasteIntoDateBox_data() {
    QTest::addColumn<bool>("recordBox");
    QTest::addColumn<int>("route");
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QString>("boxText");
    // Lines 一括判定 shows, or -1 when it does not open.
    QTest::addColumn<int>("batchRows");

    const QString column = u"25/11/01\r\n2025/11/20\r\n\r\nR7.12.1\r\n"_qs;
    for (const auto& [route, name] :
         {std::pair{Route::CtrlV, "Ctrl+V"}, std::pair{Route::ShiftInsert, "Shift+Insert"},
          std::pair{Route::BoxMenu, "box menu"}}) {
        // A copy: not every compiler captures a structured binding.
        const char* const routeName = name;
        const auto row = [routeName](const char* what) -> QTestData& {
            return QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(routeName, what)));
        };
        row("record box, a column of dates") << true << int(route) << column << kTodayText << 4;
        row("record box, one cell with its break")
            << true << int(route) << u"25/11/20\r\n"_qs << u"25/11/20"_qs << -1;
        row("processing box, a column of dates")
            << false << int(route) << u"\n24/02/29\n25/01/01\n"_qs << u"24/02/29"_qs << -1;
    }
    QTest::newRow("record box, one line with a CR break")
        << true << int(Route::CtrlV) << u"11/3\r"_qs << u"11/3"_qs << -1;
    QTest::newRow("record box, no break")
        << true << int(Route::CtrlV) << u" 1/2"_qs << u" 1/2"_qs << -1;
}

void TestBatchWindow::pasteIntoDateBox() {
    QFETCH(bool, recordBox);
    QFETCH(int, route);
    QFETCH(QString, clip);
    QFETCH(QString, boxText);
    QFETCH(int, batchRows);
    QLineEdit* box = recordBox ? text2(form()) : text1(form());
    QApplication::clipboard()->setText(clip);
    const auto messages = messagesDuring([&] { pasteBy(Route(route), box); });
    QCOMPARE(messages.size(), 0);
    QCOMPARE(box->text(), boxText);
    BatchWindow* batch = batchWindow(form());
    QCOMPARE(batch && batch->isVisible(), batchRows >= 0);
    if (batchRows >= 0) {
        QCOMPARE(batch->windowTitle(), u"一括判定 - Tokivane"_qs);
        QAbstractItemModel& model = *batchTable(*batch);
        QCOMPARE(model.rowCount(), batchRows);
        const int recordDate = columnNamed(model, u"記録日"_qs);
        const int monthly = columnNamed(model, u"月報"_qs);
        QCOMPARE(model.index(1, recordDate).data().toString(), u"25/11/20"_qs);
        // 15 November: the 20th is after the processing date, the 1st before.
        QCOMPARE(model.index(0, monthly).data().toString(), u"Yes"_qs);
        QCOMPARE(model.index(1, monthly).data().toString(), u"No"_qs);
        QCOMPARE(model.index(2, columnNamed(model, u"備考"_qs)).data().toString(), u"空行"_qs);
    }
}

void TestBatchWindow::judgesAgainOnExecute() {
    QApplication::clipboard()->setText(u"25/11/20\n25/11/21\n"_qs);
    pasteBy(Route::CtrlV, text2(form()));
    BatchWindow* batch = batchWindow(form());
    QVERIFY(batch);
    QAbstractItemModel& model = *batchTable(*batch);
    const int current = columnNamed(model, u"今回請求"_qs);
    QCOMPARE(model.index(0, current).data().toString(), u"No"_qs);
    typeInto(text1(form()), u"25/11/20"_qs);
    QCOMPARE(click(executeButton(form())).size(), 0);
    QCOMPARE(model.index(0, current).data().toString(), u"Yes"_qs);
    QCOMPARE(model.index(1, current).data().toString(), u"No"_qs);
    QVERIFY(model.headerData(current, Qt::Horizontal, Qt::ToolTipRole)
                .toString()
                .contains(u"25/10/21～25/11/20"_qs));
}

// The 回収条件 line starts from the main window's closing day, judges again
// when changed, and follows the main window's closing day when 実行 changes it.
void TestBatchWindow::termsLineJudgesAgain() {
    QApplication::clipboard()->setText(u"25/11/20\n25/11/21\n"_qs);
    pasteBy(Route::CtrlV, text2(form()));
    BatchWindow* batch = batchWindow(form());
    QVERIFY(batch);
    QAbstractItemModel& model = *batchTable(*batch);
    const int due = columnNamed(model, u"回収予定日"_qs);
    auto* closing = control<QComboBox>(*batch, u"closingBox"_qs);
    QCOMPARE(closing->currentText(), u"20日"_qs);
    QCOMPARE(model.index(0, due).data().toString(), u"25/12/30"_qs);
    QVERIFY(model.index(0, due).data(Qt::ToolTipRole).toString().contains(u"銀行休業日"_qs));

    control<QComboBox>(*batch, u"holidayBox"_qs)->setCurrentIndex(1); // 翌営業日
    QCOMPARE(model.index(0, due).data().toString(), u"26/01/05"_qs);
    QCOMPARE(model.index(1, columnNamed(model, u"請求締日"_qs)).data().toString(), u"25/12/20"_qs);

    selectEntry(list1(form()), 4); // 月末
    QCOMPARE(click(executeButton(form())).size(), 0);
    QCOMPARE(closing->currentText(), u"月末"_qs);
    QCOMPARE(model.index(0, columnNamed(model, u"請求締日"_qs)).data().toString(), u"25/11/30"_qs);
}

// Sorted by 回収予定日, the rows take their new order when the line changes:
// under 月末 both fall due together and come back in source order.
void TestBatchWindow::dueDateOrderFollowsTheLine() {
    QApplication::clipboard()->setText(u"25/11/25\n25/11/20\n"_qs);
    pasteBy(Route::CtrlV, text2(form()));
    BatchWindow* batch = batchWindow(form());
    QVERIFY(batch);
    auto* view = control<QTableView>(*batch, u"batchTable"_qs);
    QAbstractItemModel& model = *view->model();
    clickHeader(*view, columnNamed(model, u"回収予定日"_qs));
    const int record = columnNamed(model, u"記録日"_qs);
    QCOMPARE(model.index(0, record).data().toString(), u"25/11/20"_qs);
    control<QComboBox>(*batch, u"closingBox"_qs)->setCurrentText(u"月末"_qs);
    QCOMPARE(model.index(0, record).data().toString(), u"25/11/25"_qs);
}

void TestBatchWindow::refusesWithExecutesMessage() {
    text1(form())->clear();
    QApplication::clipboard()->setText(u"25/11/20\n25/11/21\n"_qs);
    const auto messages = messagesDuring([&] { pasteBy(Route::CtrlV, text2(form())); });
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, u"日付を入力してください"_qs);
    QAbstractItemModel& model = *batchTable(*batchWindow(form()));
    QCOMPARE(model.index(0, columnNamed(model, u"日報"_qs)).data().toString(), QString());
}

void TestBatchWindow::saveAndOpenAgain_data() {
    QTest::addColumn<int>("encoding");
    QTest::newRow("UTF-8") << int(CsvEncoding::Utf8WithBom);
    QTest::newRow("Shift_JIS") << int(CsvEncoding::ShiftJis);
    QTest::newRow("workbook") << kWorkbook;
}

void TestBatchWindow::saveAndOpenAgain() {
    QFETCH(int, encoding);
    QApplication::clipboard()->setText(
        u"日付\t得意先\n2025/11/14\t\"山田, 本社\"\nH31.4.30\t㈱鈴木～①\n請求書\t\n"_qs);
    pasteBy(Route::CtrlV, text2(form()));
    BatchWindow* batch = batchWindow(form());
    QVERIFY(batch);
    QAbstractItemModel& model = *batchTable(*batch);
    const QList<QStringList> before = shownTable(model);
    QCOMPARE(before.size(), 4);

    QTemporaryDir dir;
    const QString path =
        dir.filePath(encoding == kWorkbook ? u"一括判定.xlsx"_qs : u"一括判定.csv"_qs);
    QCOMPARE(encoding == kWorkbook ? batch->saveWorkbook(path)
                                   : batch->saveCsv(path, CsvEncoding(encoding)),
             std::nullopt);
    batch->openFile(path);
    // The saved columns come back as input columns, under the same header;
    // a workbook's date cells as the same dates, written in full.
    const QList<QStringList> after = shownTable(model);
    QCOMPARE(after.size(), before.size());
    for (qsizetype line = 0; line < before.size(); ++line)
        for (qsizetype column = 0; column < before[line].size(); ++column)
            QVERIFY2(sameCell(after[line][column + 1], before[line][column]),
                     qPrintable(after[line][column + 1] + u" ≠ "_qs + before[line][column]));
    // And they are judged the same again.
    const int firstJudged = columnNamed(model, u"前回請求"_qs);
    QCOMPARE(after[1].mid(1 + firstJudged, 9), before[1].mid(firstJudged, 9));
}

void TestBatchWindow::headerClicksSort() {
    QApplication::clipboard()->setText(u"25/11/20\n未定\n25/11/01\n25/11/20\n"_qs);
    pasteBy(Route::CtrlV, text2(form()));
    BatchWindow* batch = batchWindow(form());
    QVERIFY(batch);
    auto* view = control<QTableView>(*batch, QStringLiteral("batchTable"));
    QAbstractItemModel& model = *view->model();
    const int line = columnNamed(model, u"行"_qs);
    clickHeader(*view, columnNamed(model, u"記録日"_qs));
    QCOMPARE(shownColumn(model, line), (QStringList{u"3"_qs, u"1"_qs, u"4"_qs, u"2"_qs}));
    QCOMPARE(model.index(0, columnNamed(model, u"記録日"_qs)).data().toString(), u"25/11/01"_qs);
    clickHeader(*view, columnNamed(model, u"記録日"_qs));
    QCOMPARE(shownColumn(model, line), (QStringList{u"2"_qs, u"1"_qs, u"4"_qs, u"3"_qs}));
    // Copies follow the order shown.
    QCOMPARE(batch->shownCells()[1][line], u"2"_qs);
    clickHeader(*view, line);
    QCOMPARE(shownColumn(model, line), (QStringList{u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs}));
}

void TestBatchWindow::cancelStopsLongWork() {
    QTimer cancel;
    connect(&cancel, &QTimer::timeout, &cancelProgressWhenShown);
    cancel.start(20);
    bool stopped = false;
    const bool done = runWithProgress(&form(), u"読み込んでいます…"_qs, [&](WorkControl& control) {
        while (!control.cancelled)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        stopped = true;
    });
    QVERIFY(!done);
    QVERIFY(stopped);
}

// A ledger of codes and a Shift_JIS customer list dropped together on the
// main window, the ledger first: the rows take their customers' terms, and
// counting 回収月 from 1 reads the list again and judges again.
void TestBatchWindow::droppedListAndLedgerGiveDueDates() {
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(u"売上.csv"_qs,
          u"伝票日付,得意先コード,金額\n2025/10/05,123,1000\n2025/10/05,999,1\n"_qs.toUtf8());
    write(u"得意先.csv"_qs,
          *encodeShiftJis(
              u"得意先ｺｰﾄﾞ,得意先名,締日,回収月,回収日\r\n00123,山田商店,20,1,99\r\n"_qs));
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(dir.filePath(u"売上.csv"_qs)),
                   QUrl::fromLocalFile(dir.filePath(u"得意先.csv"_qs))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form(), &drop);

    BatchWindow* batch = batchWindow(form());
    QVERIFY(batch);
    QAbstractItemModel& model = *batchTable(*batch);
    const int due = columnNamed(model, u"回収予定日"_qs);
    QCOMPARE(model.index(0, columnNamed(model, u"得意先名"_qs)).data().toString(), u"山田商店");
    QCOMPARE(model.index(0, due).data().toString(), u"25/11/28"); // 翌月末, a Sunday
    QCOMPARE(model.index(1, due).data().toString(), QString());
    QVERIFY(
        control<QLabel>(*batch, u"batchStatus"_qs)->text().contains(u"得意先の条件がない行 1 行"));
    QCOMPARE(control<QTableView>(*batch, u"customerTable"_qs)->model()->rowCount(), 1);

    control<QComboBox>(*batch, u"monthCountingBox"_qs)->setCurrentIndex(1); // 1＝当月
    QCOMPARE(model.index(0, due).data().toString(), u"25/10/31");
    QVERIFY(control<QLabel>(*batch, u"customerStatus"_qs)->text().contains(u"得意先 1 件"));

    // A list without its columns is refused and the one in use stays.
    write(u"名簿.csv"_qs, u"得意先コード,得意先名\n1,山田\n"_qs.toUtf8());
    const auto messages =
        messagesDuring([&] { batch->openCustomerFile(dir.filePath(u"名簿.csv"_qs)); });
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].text.contains(u"締日"));
    QCOMPARE(model.index(0, due).data().toString(), u"25/10/31");
}

// A workbook of two sheets dropped on the main window: the sheet is chosen
// from the keyboard, and its date cells read as dates.
void TestBatchWindow::droppedWorkbookAsksForItsSheet() {
    const QByteArray ledger =
        "<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>伝票日付</t></is></c>"
        "<c r=\"B1\" t=\"inlineStr\"><is><t>金額</t></is></c></row>"
        "<row r=\"2\"><c r=\"A2\" s=\"1\"><v>45964</v></c><c r=\"B2\"><v>1000</v></c>"
        "</row></sheetData>";
    const QByteArray styles = "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs>";
    QTemporaryDir dir;
    // Named as a CSV file: what it holds decides how it is read.
    const QString path = dir.filePath(u"売上.csv"_qs);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(test::zipOf(test::workbookEntries(
        {{u"表紙"_qs, "<sheetData/>", {}}, {u"売上"_qs, ledger, {}}}, {}, styles)));
    file.close();

    QStringList offered;
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&] {
        auto* list = qobject_cast<QListWidget*>(QApplication::focusWidget());
        if (!list || list->objectName() != u"sheetList")
            return;
        answer.stop();
        for (int row = 0; row < list->count(); ++row)
            offered.append(list->item(row)->text());
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    answer.start(10);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form(), &drop);

    QCOMPARE(offered, (QStringList{u"表紙"_qs, u"売上"_qs}));
    BatchWindow* batch = batchWindow(form());
    QVERIFY(batch);
    QAbstractItemModel& model = *batchTable(*batch);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0, columnNamed(model, u"伝票日付"_qs)).data().toString(), u"2025/11/03");
    QCOMPARE(model.index(0, columnNamed(model, u"記録日"_qs)).data().toString(), u"25/11/03");
}

QTEST_MAIN(TestBatchWindow)
#include "tst_batch_window.moc"
