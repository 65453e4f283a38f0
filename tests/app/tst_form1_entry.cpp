// Date entry in the two boxes: Enter completes, nothing else does. The
// completion table itself is tested on CompleteDate; here each box must reach
// it through real key presses and input-method commits, without running
// Execute.
#include "form_harness.h"

#include <QInputMethodEvent>

using namespace tokivane;
using namespace tokivane::harness;

namespace {

enum class Input { Keys, Commit, ComposeThenCommit };

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
    void init() {
        window_ = std::make_unique<ShownForm>();
        QVERIFY(window_->show());
    }
    void cleanup() { window_.reset(); }

    void onlyEnterCompletesTheBox_data();
    void onlyEnterCompletesTheBox();

  private:
    std::unique_ptr<ShownForm> window_;
    Form1& form() { return *window_->form; }
};

void TestForm1Entry::onlyEnterCompletesTheBox_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("result");

    const auto row = [](const char* name, const char* box, const QString& typed, Input input,
                        Qt::Key key, Qt::KeyboardModifiers modifiers, const char* result) {
        QTest::newRow(name) << QString::fromUtf8(box) << typed << int(input) << int(key)
                            << int(modifiers) << QString::fromUtf8(result);
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const Input keys = Input::Keys;

    row("Text1, day alone, Return", "Text1", u"3"_qs, keys, Qt::Key_Return, none, "25/11/03");
    row("Text1, 29 February, keypad Enter", "Text1", u"2/29"_qs, keys, Qt::Key_Enter, keypad,
        "25/02/28");
    row("Text1, empty, Return", "Text1", u""_qs, keys, Qt::Key_Return, none, "25/11/15");
    row("Text2, empty, keypad Enter", "Text2", u""_qs, keys, Qt::Key_Enter, keypad, "25/11/15");
    row("Text2, 31 November, Return", "Text2", u"31"_qs, keys, Qt::Key_Return, none, "25/11/30");
    row("Text2, four-digit year, keypad Enter", "Text2", u"2024/2/29"_qs, keys, Qt::Key_Enter,
        keypad, "24/02/29");
    // Japanese input methods commit full-width digits and slashes.
    row("Text1, input method commit", "Text1", u"１１／３"_qs, Input::Commit, Qt::Key_Return, none,
        "25/11/03");
    row("Text2, input method composes first", "Text2", u"２４／２／３０"_qs,
        Input::ComposeThenCommit, Qt::Key_Return, none, "24/02/29");
    // Leaving the box finishes editing but is no Enter; nor is a line feed.
    row("Text1, Tab away", "Text1", u"11/2"_qs, keys, Qt::Key_Tab, none, "11/2");
    row("Text1, Escape", "Text1", u"3"_qs, keys, Qt::Key_Escape, none, "3");
    row("Text1, Ctrl+J (line feed)", "Text1", u"3"_qs, keys, Qt::Key_J, Qt::ControlModifier, "3");
    row("Text2, Up", "Text2", u"2/29"_qs, keys, Qt::Key_Up, none, "2/29");
    row("Text2, Space is typed", "Text2", u"3"_qs, keys, Qt::Key_Space, none, "3 ");
    row("Text2, Backspace empties", "Text2", u"3"_qs, keys, Qt::Key_Backspace, none, "");
}

void TestForm1Entry::onlyEnterCompletesTheBox() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(int, input);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, result);

    // Were a key to reach Execute, it would show a message for this "7".
    QLineEdit* other = box == u"Text1" ? text2(form()) : text1(form());
    typeInto(other, QStringLiteral("7"));
    auto* target = control<QLineEdit>(form(), box);
    if (static_cast<Input>(input) == Input::Keys) {
        typeInto(target, typed);
    } else {
        target->setFocus();
        target->clear();
        QCOMPARE(QGuiApplication::focusObject(), target);
        QVERIFY(
            commitFromInputMethod(typed, static_cast<Input>(input) == Input::ComposeThenCommit));
    }
    QCOMPARE(target->text(), typed);

    const auto shown = messagesDuring(
        [&] { QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers)); });
    QCOMPARE(target->text(), result);
    QCOMPARE(other->text(), QStringLiteral("7"));
    QCOMPARE(shown.size(), 0);
    for (const QString& caption : captions(form()))
        QVERIFY(caption.isEmpty());
}

QTEST_MAIN(TestForm1Entry)
#include "tst_form1_entry.moc"
