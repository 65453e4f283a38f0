// The window as it opens: captions, places, colours, list, boxes, menu and
// tab order.
#include "app/form1_layout.h"
#include "form_harness.h"

#include <QFrame>
#include <QMenuBar>
#include <QSet>

using namespace tokivane;
using namespace tokivane::harness;

namespace {

// Pixels are twips divided by 15, written out here so a slip in the
// conversion is caught too.
QRect twipsRect(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

QColor pixelAt(QWidget& form, QWidget& widget, QPoint point) {
    return form.grab().toImage().pixelColor(widget.mapTo(&form, point));
}

} // namespace

class TestForm1Startup : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void titleAndClientSize();
    void closingDayListHoldsSixEntriesWithTwentiethSelected();
    void bothBoxesShowToday();
    void everyOutputFieldStartsEmpty();
    void captionsReadWordForWord_data();
    void captionsReadWordForWord();
    void everyLabelSitsTopLeftInItsBox();
    void controlsSitAtTheirPlaces_data();
    void controlsSitAtTheirPlaces();
    void windowAndHintColours();
    void fourRulesDivideTheGroups_data();
    void fourRulesDivideTheGroups();
    void menuBarHoldsOnlyEnd();
    void tabVisitsTheInputsInOrder();

  private:
    std::unique_ptr<ShownForm> window_;
    Form1& form() { return *window_->form; }
};

void TestForm1Startup::init() {
    window_ = std::make_unique<ShownForm>();
    QVERIFY(window_->show());
}

void TestForm1Startup::cleanup() {
    window_.reset();
}

void TestForm1Startup::titleAndClientSize() {
    QCOMPARE(form().windowTitle(), QStringLiteral("Tokivane"));
    QCOMPARE(form().centralWidget()->size(), QSize(13245 / 15, 8955 / 15));
}

void TestForm1Startup::closingDayListHoldsSixEntriesWithTwentiethSelected() {
    QListWidget* list = list1(form());
    QStringList entries;
    for (int row = 0; row < list->count(); ++row)
        entries.append(list->item(row)->text());
    QCOMPARE(entries,
             QStringList({u"10日"_qs, u"15日"_qs, u"20日"_qs, u"25日"_qs, u"月末"_qs, u"空白"_qs}));
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    const QList<QListWidgetItem*> selected = list->selectedItems();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first()->text(), u"20日"_qs);
}

void TestForm1Startup::bothBoxesShowToday() {
    QCOMPARE(text1(form())->text(), kTodayText);
    QCOMPARE(text2(form())->text(), kTodayText);
}

void TestForm1Startup::everyOutputFieldStartsEmpty() {
    for (const OutputField which : kAllOutputFields)
        QVERIFY2(field(form(), which)->text().isEmpty(), qPrintable(fieldName(which)));
}

void TestForm1Startup::captionsReadWordForWord_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    // Typed afresh rather than taken from the layout table, so a slip in the
    // table (a half-width tilde, a missing full-width space) shows up.
    QTest::newRow("closing-day list label") << "Label9" << u"締日の選択"_qs;
    QTest::newRow("record-date heading")
        << "Label19" << u"処理対象の日付（例えば、データの記録日など）"_qs;
    QTest::newRow("hint") << "Label20"
                          << u"日付の入力は、Enterのみ・11・11/2・11/03など省略ができます。また、"
                             u"閏日なども試してください。"_qs;
    QTest::newRow("invoicing title") << "Label1" << u"売上入金管理・請求書発行"_qs;
    QTest::newRow("ledger title") << "Label2" << u"受注出荷管理・日報（売掛元帳）"_qs;
    QTest::newRow("range heading, payment group")
        << "Label4_3" << u"データの判断範囲、　年月日～年月日"_qs;
    QTest::newRow("judgement heading, reports group")
        << "Label12_4" << u"記録日が適合してるか？"_qs;
    QTest::newRow("closing date row") << "Label23" << u"締め日＝"_qs;
    QTest::newRow("range separator, last element") << "Label6_9" << u"～"_qs;
    QTest::newRow("payment closing row") << "Label46" << u"〆日"_qs;
    QTest::newRow("invoicing comment")
        << "Label5"
        << u"コメント　　　　　　　　　　　　締め日の翌日から締め日まで　　　前回請求は先月分、今回"
           u"請求は今月分"_qs;
    QTest::newRow("ledger comment")
        << "Label7"
        << u"コメント　　　　　　　　　　　処理日の前日は加工残の計算に必要　　　　　　　　　　　　"
           u"　　加工残は12/1～処理日前日の累計"_qs;
    QTest::newRow("reports comment")
        << "Label17"
        << u"コメント　　　　　　　　　　　週・月・年報は処理日までを対象として計算する。"_qs;
    QTest::newRow("Clear button, half-width kana") << "Command4" << u"ｸﾘｱ"_qs;
}

void TestForm1Startup::captionsReadWordForWord() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QWidget* widget = control<QWidget>(form(), name);
    if (auto* button = qobject_cast<QPushButton*>(widget))
        QCOMPARE(button->text(), caption);
    else
        QCOMPARE(control<QLabel>(form(), name)->text(), caption);
}

void TestForm1Startup::everyLabelSitsTopLeftInItsBox() {
    // Fixed captions, the hint and the output fields make up every label;
    // anything else would be a stray or a duplicate name.
    QSet<QString> expected{layout::kHint.name.toString()};
    for (const auto& spec : layout::kFixedLabels)
        expected.insert(spec.name.toString());
    for (const OutputField which : kAllOutputFields)
        expected.insert(fieldName(which));
    QCOMPARE(expected.size(), 1 + 43 + 32);

    QSet<QString> found;
    for (const QLabel* label : form().findChildren<QLabel*>()) {
        QVERIFY2(!found.contains(label->objectName()), qPrintable(label->objectName()));
        found.insert(label->objectName());
        QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    QCOMPARE(found, expected);

    for (const auto& spec : layout::kFixedLabels) {
        const QLabel* label = control<QLabel>(form(), spec.name.toString());
        QCOMPARE(label->text(), spec.caption.toString());
        QCOMPARE(label->geometry(), toPixels(spec.rect));
    }
    for (const auto& spec : layout::kOutputFields)
        QCOMPARE(field(form(), spec.field)->geometry(), toPixels(spec.rect));
}

void TestForm1Startup::controlsSitAtTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");

    QTest::newRow("List1") << "List1" << twipsRect(240, 420, 1305, 1230);
    QTest::newRow("Text1") << "Text1" << twipsRect(2670, 480, 1305, 315);
    QTest::newRow("Text2") << "Text2" << twipsRect(7020, 480, 1275, 315);
    QTest::newRow("Command1") << "Command1" << twipsRect(2700, 960, 1245, 315);
    QTest::newRow("Command4") << "Command4" << twipsRect(4260, 960, 1065, 315);
    QTest::newRow("Label9, first caption") << "Label9" << twipsRect(300, 180, 1245, 195);
    QTest::newRow("Label20, the hint") << "Label20" << twipsRect(8700, 780, 4035, 615);
    QTest::newRow("Label5, a comment") << "Label5" << twipsRect(9690, 1800, 3375, 1395);
    QTest::newRow("Label6_7, a separator") << "Label6_7" << twipsRect(7740, 2640, 255, 255);
    QTest::newRow("Label48, last group") << "Label48" << twipsRect(5430, 8460, 495, 255);
    QTest::newRow("Label24, first field") << "Label24" << twipsRect(7020, 2220, 1185, 315);
    QTest::newRow("Label39, short field") << "Label39" << twipsRect(8220, 5040, 1095, 195);
    QTest::newRow("Label64, last field") << "Label64" << twipsRect(7740, 8460, 1425, 255);
}

void TestForm1Startup::controlsSitAtTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QWidget* widget = control<QWidget>(form(), name);
    QCOMPARE(widget->parentWidget(), form().centralWidget());
    QCOMPARE(widget->geometry(), rect);
    QVERIFY(widget->isVisible());
}

void TestForm1Startup::windowAndHintColours() {
    QWidget& client = *form().centralWidget();
    const QColor grey(224, 224, 224);
    QCOMPARE(pixelAt(form(), client, {2, 2}), grey);
    QCOMPARE(pixelAt(form(), client, {client.width() - 3, client.height() - 3}), grey);

    // The last pixel of the box, past the end of the short last line.
    QLabel* hint = control<QLabel>(form(), QStringLiteral("Label20"));
    QCOMPARE(pixelAt(form(), *hint, {hint->width() - 1, hint->height() - 1}),
             QColor(255, 255, 192));
}

void TestForm1Startup::fourRulesDivideTheGroups_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");

    QTest::newRow("Line1_0") << "Line1_0" << QRect(150 / 15, 1680 / 15, (13020 - 150) / 15, 1);
    QTest::newRow("Line1_1") << "Line1_1" << QRect(90 / 15, 3480 / 15, (12960 - 90) / 15, 1);
    QTest::newRow("Line1_2") << "Line1_2" << QRect(90 / 15, 5340 / 15, (12960 - 90) / 15, 1);
    QTest::newRow("Line1_3") << "Line1_3" << QRect(90 / 15, 7020 / 15, (12960 - 90) / 15, 1);
}

void TestForm1Startup::fourRulesDivideTheGroups() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    auto* line = control<QFrame>(form(), name);
    QCOMPARE(line->frameShape(), QFrame::HLine);
    QCOMPARE(line->geometry(), rect);
    // Drawn, not just placed: its middle stands out from the grey ground.
    QVERIFY(pixelAt(form(), *line, {rect.width() / 2, 0}) != QColor(224, 224, 224));
}

void TestForm1Startup::menuBarHoldsOnlyEnd() {
    const QList<QAction*> actions = form().menuBar()->actions();
    QCOMPARE(actions.size(), 1);
    QAction* end = actions.first();
    QCOMPARE(end->objectName(), QStringLiteral("mnu_END"));
    QCOMPARE(end->text(), u"終了"_qs);
    QVERIFY(end->menu() == nullptr);
    QVERIFY(end->isVisible());
    QVERIFY(end->isEnabled());
    QVERIFY(form().menuBar()->isVisible());
}

void TestForm1Startup::tabVisitsTheInputsInOrder() {
    list1(form())->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int press = 0; press < 5; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    // Labels are no stops, so the sixth press comes round to the list again.
    QCOMPARE(visited, QStringList({"List1", "Text1", "Text2", "Command1", "Command4", "List1"}));
}

QTEST_MAIN(TestForm1Startup)
#include "tst_form1_startup.moc"
