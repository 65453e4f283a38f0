// The window as it opens: title, size, list, menu, empty fields, controls
// with their places and captions, colours and tab order.
#include "form1_layout.h"
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

// A label's or button's caption, a box's text; nothing for other controls.
QString shownText(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        return box->text();
    return {};
}

} // namespace

class TestForm1Startup : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        window_ = std::make_unique<ShownForm>();
        QVERIFY(window_->show());
    }
    void cleanup() { window_.reset(); }

    void windowListMenuAndEmptyFields();
    void controlsSitAtTheirPlacesWithTheirCaptions_data();
    void controlsSitAtTheirPlacesWithTheirCaptions();
    void everyLabelSitsTopLeftInItsBox();
    void windowAndHintColours();
    void tabVisitsTheInputsInOrder();

  private:
    std::unique_ptr<ShownForm> window_;
    Form1& form() { return *window_->form; }
};

void TestForm1Startup::windowListMenuAndEmptyFields() {
    QCOMPARE(form().windowTitle(), QStringLiteral("Tokivane"));
    QCOMPARE(form().centralWidget()->size(), QSize(13245 / 15, 8955 / 15));

    QListWidget* list = list1(form());
    QStringList entries;
    for (int row = 0; row < list->count(); ++row)
        entries.append(list->item(row)->text());
    QCOMPARE(entries,
             QStringList({u"10日"_qs, u"15日"_qs, u"20日"_qs, u"25日"_qs, u"月末"_qs, u"空白"_qs}));
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(list->selectedItems().first()->text(), u"20日"_qs);

    const QList<QAction*> actions = form().menuBar()->actions();
    QCOMPARE(actions.size(), 1);
    QCOMPARE(actions.first()->objectName(), QStringLiteral("mnu_END"));
    QCOMPARE(actions.first()->text(), u"終了"_qs);
    QVERIFY(actions.first()->menu() == nullptr);
    QVERIFY(actions.first()->isVisible() && actions.first()->isEnabled());
    QVERIFY(form().menuBar()->isVisible());

    for (const OutputField which : kAllOutputFields)
        QVERIFY2(field(form(), which)->text().isEmpty(), qPrintable(fieldName(which)));
}

void TestForm1Startup::controlsSitAtTheirPlacesWithTheirCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");

    // Captions are typed afresh rather than taken from the layout table, so a
    // slip in the table (a half-width tilde, a missing full-width space) shows.
    const auto row = [](const char* name, const char* control, QRect rect, const QString& text) {
        QTest::newRow(name) << QString::fromUtf8(control) << rect << text;
    };
    row("List1", "List1", twipsRect(240, 420, 1305, 1230), {});
    row("Text1 shows today", "Text1", twipsRect(2670, 480, 1305, 315), kTodayText);
    row("Text2 shows today", "Text2", twipsRect(7020, 480, 1275, 315), kTodayText);
    row("Execute button", "Command1", twipsRect(2700, 960, 1245, 315), u"実行"_qs);
    row("Clear button, half-width kana", "Command4", twipsRect(4260, 960, 1065, 315), u"ｸﾘｱ"_qs);
    row("list caption", "Label9", twipsRect(300, 180, 1245, 195), u"締日の選択"_qs);
    row("record-date heading", "Label19", twipsRect(6270, 180, 4725, 255),
        u"処理対象の日付（例えば、データの記録日など）"_qs);
    row("hint", "Label20", twipsRect(8700, 780, 4035, 615),
        u"日付の入力は、Enterのみ・11・11/2・11/03など省略ができます。また、"
        u"閏日なども試してください。"_qs);
    row("invoicing comment", "Label5", twipsRect(9690, 1800, 3375, 1395),
        u"コメント　　　　　　　　　　　　締め日の翌日から締め日まで　　　前回請求は先月分、今回"
        u"請求は今月分"_qs);
    row("ledger comment", "Label7", twipsRect(9660, 3540, 3345, 1575),
        u"コメント　　　　　　　　　　　処理日の前日は加工残の計算に必要　　　　　　　　　　　　"
        u"　　加工残は12/1～処理日前日の累計"_qs);
    row("closing date row", "Label23", twipsRect(5970, 2220, 975, 255), u"締め日＝"_qs);
    row("range heading, payment group", "Label4_3", twipsRect(5700, 7140, 3795, 255),
        u"データの判断範囲、　年月日～年月日"_qs);
    row("payment closing row", "Label46", twipsRect(5520, 7620, 435, 195), u"〆日"_qs);
    row("range separator, last element", "Label6_9", twipsRect(7380, 7980, 255, 255), u"～"_qs);
    row("first output field", "Label24", twipsRect(7020, 2220, 1185, 315), u""_qs);
    row("last output field", "Label64", twipsRect(7740, 8460, 1425, 255), u""_qs);
    // The rules between the groups are one pixel high.
    row("Line1_0", "Line1_0", twipsRect(150, 1680, 13020 - 150, 15), {});
    row("Line1_1", "Line1_1", twipsRect(90, 3480, 12960 - 90, 15), {});
    row("Line1_2", "Line1_2", twipsRect(90, 5340, 12960 - 90, 15), {});
    row("Line1_3", "Line1_3", twipsRect(90, 7020, 12960 - 90, 15), {});
}

void TestForm1Startup::controlsSitAtTheirPlacesWithTheirCaptions() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(QString, text);

    QWidget* widget = control<QWidget>(form(), name);
    QCOMPARE(widget->parentWidget(), form().centralWidget());
    QCOMPARE(widget->geometry(), rect);
    QVERIFY(widget->isVisible());
    QCOMPARE(shownText(widget), text);
    if (name.startsWith(u"Line1_")) {
        QCOMPARE(control<QFrame>(form(), name)->frameShape(), QFrame::HLine);
        // Drawn, not just placed: its middle stands out from the grey ground.
        QVERIFY(pixelAt(form(), *widget, {rect.width() / 2, 0}) != QColor(224, 224, 224));
    }
}

void TestForm1Startup::everyLabelSitsTopLeftInItsBox() {
    // Fixed captions, the hint and the output fields make up every label;
    // anything else would be a stray or a duplicate name.
    QSet<QString> expected{layout::kHint.name.toString()};
    for (const auto& placement : layout::kFixedLabels)
        expected.insert(placement.name.toString());
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
