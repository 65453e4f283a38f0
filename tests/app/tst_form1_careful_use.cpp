// What a careful user expects beyond the calculations: results that can be
// selected and copied but not edited, and controls a screen reader can tell
// apart.
#include "form_harness.h"

#include <QAccessible>
#include <QClipboard>
#include <QSet>

using namespace tokivane;
using namespace tokivane::harness;

namespace {

QString accessibleText(QWidget* widget, QAccessible::Text which) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which) : QStringLiteral("<no accessible interface>");
}

} // namespace

class TestForm1CarefulUse : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void outputFieldsSelectWithTheMouse();
    void outputFieldsSelectAndCopyWithTheKeyboard();
    void outputFieldsStayReadOnly();
    void dateBoxesCarryTheirLabelsAsNames_data();
    void dateBoxesCarryTheirLabelsAsNames();
    void outputFieldsAreNamedByTextAndDescribedByRowAndColumn_data();
    void outputFieldsAreNamedByTextAndDescribedByRowAndColumn();
    void everyOutputFieldHasItsOwnDescription();

  private:
    std::unique_ptr<ShownForm> shown_;
    QWidget& form() { return *shown_->form; }
};

void TestForm1CarefulUse::init() {
    shown_ = std::make_unique<ShownForm>();
    QVERIFY(shown_->show());
    QCOMPARE(click(executeButton(form())).size(), 0);
    QCOMPARE(field(form(), Label24)->text(), QStringLiteral("25/11/20"));
}

void TestForm1CarefulUse::cleanup() {
    shown_.reset();
}

void TestForm1CarefulUse::outputFieldsSelectWithTheMouse() {
    QLabel* closing = field(form(), Label24);
    const int middle = closing->height() / 2;
    QTest::mousePress(closing, Qt::LeftButton, {}, QPoint(0, middle));
    QTest::mouseMove(closing, QPoint(closing->width() - 1, middle));
    QTest::mouseRelease(closing, Qt::LeftButton, {}, QPoint(closing->width() - 1, middle));
    QCOMPARE(closing->selectedText(), QStringLiteral("25/11/20"));
}

void TestForm1CarefulUse::outputFieldsSelectAndCopyWithTheKeyboard() {
    QLabel* start = field(form(), Label21);
    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(start->hasFocus());
    QTest::keyClick(start, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(start->selectedText(), QStringLiteral("25/10/21"));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(start, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("25/10/21"));
}

void TestForm1CarefulUse::outputFieldsStayReadOnly() {
    QLabel* judgement = field(form(), Label56);
    QGuiApplication::clipboard()->setText(QStringLiteral("No"));
    QTest::mouseClick(judgement, Qt::LeftButton);
    QTest::keyClicks(judgement, QStringLiteral("x"));
    QTest::keyClick(judgement, Qt::Key_Backspace);
    QTest::keyClick(judgement, Qt::Key_Delete);
    QTest::keyClick(judgement, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(judgement, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(judgement->text(), QStringLiteral("Yes"));
}

void TestForm1CarefulUse::dateBoxesCarryTheirLabelsAsNames_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("name");

    QTest::newRow("processing date") << "Text1" << u"処理日"_qs;
    QTest::newRow("record date") << "Text2" << u"記録日"_qs;
}

void TestForm1CarefulUse::dateBoxesCarryTheirLabelsAsNames() {
    QFETCH(QString, box);
    QFETCH(QString, name);
    QCOMPARE(accessibleText(control<QLineEdit>(form(), box), QAccessible::Name), name);
}

void TestForm1CarefulUse::outputFieldsAreNamedByTextAndDescribedByRowAndColumn_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    QTest::newRow("closing date") << int(Label24) << "25/11/20"
                                  << u"締め日 2025年11月20日（木）令和7年"_qs;
    QTest::newRow("previous invoice judgement") << int(Label40) << "No" << u"前回請求 判定"_qs;
    QTest::newRow("current invoice start")
        << int(Label21) << "25/10/21" << u"今回請求 開始 2025年10月21日（火）令和7年"_qs;
    QTest::newRow("current invoice end")
        << int(Label22) << "25/11/15" << u"今回請求 終了 2025年11月15日（土）令和7年"_qs;
    QTest::newRow("day before") << int(Label26) << "25/11/14"
                                << u"処理日の前日 日付 2025年11月14日（金）令和7年"_qs;
    QTest::newRow("daily report start")
        << int(Label29) << "25/11/15" << u"日報 開始 2025年11月15日（土）令和7年"_qs;
    QTest::newRow("yearly report judgement") << int(Label56) << "Yes" << u"年報 判定"_qs;
    QTest::newRow("collection year end")
        << int(Label64) << "24/11/20" << u"年間 終了 2024年11月20日（水）令和6年"_qs;
}

void TestForm1CarefulUse::outputFieldsAreNamedByTextAndDescribedByRowAndColumn() {
    QFETCH(int, which);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QLabel* label = field(form(), static_cast<OutputField>(which));
    QCOMPARE(accessibleText(label, QAccessible::Name), name);
    QCOMPARE(accessibleText(label, QAccessible::Description), description);

    // The name follows what the field shows, also once Clear empties it.
    QCOMPARE(click(clearButton(form())).size(), 0);
    QCOMPARE(accessibleText(label, QAccessible::Name), label->text());
}

void TestForm1CarefulUse::everyOutputFieldHasItsOwnDescription() {
    QSet<QString> descriptions;
    for (const OutputField which : kAllOutputFields) {
        const QString description = accessibleText(field(form(), which), QAccessible::Description);
        QVERIFY2(!description.isEmpty(), qPrintable(fieldName(which)));
        descriptions.insert(description);
    }
    QCOMPARE(descriptions.size(), qsizetype(kAllOutputFields.size()));
}

QTEST_MAIN(TestForm1CarefulUse)
#include "tst_form1_careful_use.moc"
