// Date entry in the two boxes: Enter completes, nothing else does.
#include "form_harness.h"

#include <QInputMethodEvent>

using namespace tokivane;
using namespace tokivane::harness;

namespace {

// The box a row types into, and the other one, which must stay as it is.
QLineEdit* box(QWidget& form, const QString& name) {
    return control<QLineEdit>(form, name);
}

QLineEdit* otherBox(QWidget& form, const QString& name) {
    return name == u"Text1" ? text2(form) : text1(form);
}

bool allFieldsEmpty(QWidget& form) {
    for (const QString& caption : captions(form))
        if (!caption.isEmpty())
            return false;
    return true;
}

// What a platform input method does: ask the focused widget whether it takes
// input-method text, then compose and commit into it.
bool commitFromInputMethod(const QString& text, bool composeFirst) {
    QObject* target = QGuiApplication::focusObject();
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(target, &query);
    if (!query.value(Qt::ImEnabled).toBool())
        return false;
    if (composeFirst) {
        QInputMethodEvent composing(text, {});
        QCoreApplication::sendEvent(target, &composing);
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(target, &commit);
    return true;
}

} // namespace

class TestForm1Entry : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void enterCompletesTheBox_data();
    void enterCompletesTheBox();
    void textWithoutEnterStaysAsTyped_data();
    void textWithoutEnterStaysAsTyped();
    void otherKeysDoNotComplete_data();
    void otherKeysDoNotComplete();
    void inputMethodTextCompletesOnEnter_data();
    void inputMethodTextCompletesOnEnter();

  private:
    std::unique_ptr<ShownForm> window_;
    Form1& form() { return *window_->form; }
};

void TestForm1Entry::init() {
    window_ = std::make_unique<ShownForm>();
    QVERIFY(window_->show());
}

void TestForm1Entry::cleanup() {
    window_.reset();
}

void TestForm1Entry::enterCompletesTheBox_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<QString>("completed");

    QTest::newRow("Text1, day alone, Return") << "Text1"
                                              << "3" << false << "25/11/03";
    QTest::newRow("Text1, 29 February of a common year, keypad Enter")
        << "Text1"
        << "2/29" << true << "25/02/28";
    QTest::newRow("Text1, empty, Return") << "Text1"
                                          << "" << false << "25/11/15";
    QTest::newRow("Text1, month and day, keypad Enter") << "Text1"
                                                        << "11/2" << true << "25/11/02";
    QTest::newRow("Text1, four-digit year, Return") << "Text1"
                                                    << "2024/2/29" << false << "24/02/29";
    QTest::newRow("Text1, month 13 left for Execute to refuse") << "Text1"
                                                                << "13/5" << false << "25/13/05";
    QTest::newRow("Text2, day alone, keypad Enter") << "Text2"
                                                    << "3" << true << "25/11/03";
    QTest::newRow("Text2, 29 February of a common year, Return") << "Text2"
                                                                 << "2/29" << false << "25/02/28";
    QTest::newRow("Text2, empty, keypad Enter") << "Text2"
                                                << "" << true << "25/11/15";
    QTest::newRow("Text2, 31 November, Return") << "Text2"
                                                << "31" << false << "25/11/30";
    QTest::newRow("Text2, 30 February of a leap year, keypad Enter")
        << "Text2"
        << "24/2/30" << true << "24/02/29";
    QTest::newRow("Text2, complete date kept, Return") << "Text2"
                                                       << "26/03/10" << false << "26/03/10";
}

void TestForm1Entry::enterCompletesTheBox() {
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(bool, keypad);
    QFETCH(QString, completed);

    typeInto(otherBox(form(), name), QStringLiteral("7"));
    QLineEdit* target = box(form(), name);
    typeInto(target, typed);
    QCOMPARE(target->text(), typed);

    // Enter must not reach Execute either: that would show a message for the
    // other box's "7".
    const auto shown = messagesDuring([&] {
        QTest::keyClick(target, keypad ? Qt::Key_Enter : Qt::Key_Return,
                        keypad ? Qt::KeypadModifier : Qt::NoModifier);
    });
    QCOMPARE(target->text(), completed);
    QCOMPARE(otherBox(form(), name)->text(), QStringLiteral("7"));
    QCOMPARE(QApplication::focusWidget(), target);
    QCOMPARE(shown.size(), 0);
    QVERIFY(allFieldsEmpty(form()));
}

void TestForm1Entry::textWithoutEnterStaysAsTyped_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("tabAway");

    QTest::newRow("Text1, day alone, focus kept") << "Text1"
                                                  << "3" << false;
    QTest::newRow("Text1, emptied, Tab away") << "Text1"
                                              << "" << true;
    QTest::newRow("Text1, month and day, Tab away") << "Text1"
                                                    << "11/2" << true;
    QTest::newRow("Text2, 29 February, Tab away") << "Text2"
                                                  << "2/29" << true;
    QTest::newRow("Text2, short full date, focus kept") << "Text2"
                                                        << "26/1/5" << false;
}

void TestForm1Entry::textWithoutEnterStaysAsTyped() {
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(bool, tabAway);

    QLineEdit* target = box(form(), name);
    typeInto(target, typed);
    // Leaving the box finishes editing but is no Enter.
    if (tabAway) {
        QTest::keyClick(target, Qt::Key_Tab);
        QVERIFY(!target->hasFocus());
    }
    QCOMPARE(target->text(), typed);
    QCOMPARE(otherBox(form(), name)->text(), kTodayText);
}

void TestForm1Entry::otherKeysDoNotComplete_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("result");

    const int none = Qt::NoModifier;
    QTest::newRow("Text1, Escape") << "Text1" << int(Qt::Key_Escape) << none << "3";
    QTest::newRow("Text1, Up") << "Text1" << int(Qt::Key_Up) << none << "3";
    QTest::newRow("Text1, Home") << "Text1" << int(Qt::Key_Home) << none << "3";
    QTest::newRow("Text1, Ctrl+J (line feed)")
        << "Text1" << int(Qt::Key_J) << int(Qt::ControlModifier) << "3";
    QTest::newRow("Text2, Down") << "Text2" << int(Qt::Key_Down) << none << "3";
    QTest::newRow("Text2, Space is typed, not completed")
        << "Text2" << int(Qt::Key_Space) << none << "3 ";
    QTest::newRow("Text2, Backspace empties without today's date")
        << "Text2" << int(Qt::Key_Backspace) << none << "";
}

void TestForm1Entry::otherKeysDoNotComplete() {
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, result);

    QLineEdit* target = box(form(), name);
    typeInto(target, QStringLiteral("3"));
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(target->text(), result);
}

void TestForm1Entry::inputMethodTextCompletesOnEnter_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("committed");
    QTest::addColumn<bool>("composeFirst");
    QTest::addColumn<QString>("completed");

    QTest::newRow("Text1, month and day") << "Text1" << u"１１／３"_qs << false << "25/11/03";
    QTest::newRow("Text1, full date of a leap year, composed first")
        << "Text1" << u"２４／２／３０"_qs << true << "24/02/29";
    QTest::newRow("Text2, month and day, composed first")
        << "Text2" << u"１１／３"_qs << true << "25/11/03";
    QTest::newRow("Text2, 29 February of a common year")
        << "Text2" << u"２／２９"_qs << false << "25/02/28";
}

void TestForm1Entry::inputMethodTextCompletesOnEnter() {
    QFETCH(QString, name);
    QFETCH(QString, committed);
    QFETCH(bool, composeFirst);
    QFETCH(QString, completed);

    QLineEdit* target = box(form(), name);
    target->setFocus();
    target->clear();
    QCOMPARE(QGuiApplication::focusObject(), target);
    QVERIFY(commitFromInputMethod(committed, composeFirst));
    QCOMPARE(target->text(), committed);
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(target->text(), completed);
}

QTEST_MAIN(TestForm1Entry)
#include "tst_form1_entry.moc"
