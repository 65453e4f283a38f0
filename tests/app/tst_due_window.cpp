// 回収予定日 from the main window's menu: it starts from the record date and
// closing day, a typed phrase sets the controls, changed controls rewrite the
// phrase, and the results follow each change.
#include "form_harness.h"
#include "pixels.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTableView>

#include "due_window.h"

using namespace tokivane;
using namespace tokivane::harness;

namespace {

// Right-clicks the result area and picks an entry of its menu; the entries
// in their order.
QStringList pickFromResultsMenu(QWidget& form, const QString& entry) {
    QLabel* target = field(form, kAllOutputFields.front());
    const QPoint middle = target->rect().center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, middle, target->mapToGlobal(middle));
    QApplication::sendEvent(target, &rightClick);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return {};
    QStringList entries;
    QAction* picked = nullptr;
    for (QAction* action : menu->actions()) {
        entries.append(action->text());
        if (action->text() == entry)
            picked = action;
    }
    menu->close();
    if (picked)
        picked->trigger();
    return entries;
}

// Text as an input method commits it, which is how Japanese reaches a box.
void commitText(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

QString labelText(QWidget& window, const char* name) {
    return control<QLabel>(window, QString::fromLatin1(name))->text();
}

QString comboText(QWidget& window, const char* name) {
    return control<QComboBox>(window, QString::fromLatin1(name))->currentText();
}

} // namespace

class TestDueWindow : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { desktopPalette_ = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(desktopPalette_); }
    void phraseAndControlsDriveTheResults();
    void readsUnderEachPalette_data();
    void readsUnderEachPalette();

  private:
    QPalette desktopPalette_;
};

void TestDueWindow::phraseAndControlsDriveTheResults() {
    ShownForm shown;
    QVERIFY(shown.show());
    Form1& form = *shown.form;
    typeAndEnter(text2(form), QStringLiteral("24/2/20"));
    selectEntry(list1(form), 2); // 20日

    const QStringList entries = pickFromResultsMenu(form, QStringLiteral("回収予定日…"));
    QCOMPARE(entries.indexOf(u"回収予定日…"), entries.indexOf(u"記録日を一括判定…") + 1);
    auto* due = form.findChild<DueWindow*>(QStringLiteral("DueWindow"));
    QVERIFY(due && due->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(due));

    // 20日締め翌月末, 休日は前営業日: 24/03/31 is a Sunday.
    QCOMPARE(control<QLineEdit>(*due, QStringLiteral("recordBox"))->text(), u"24/02/20");
    QCOMPARE(comboText(*due, "closingBox"), u"20日");
    QCOMPARE(labelText(*due, "closingDateResult"), u"24/02/20");
    QCOMPARE(labelText(*due, "dueDateResult"), u"24/03/29");
    QCOMPARE(labelText(*due, "dueDateFull"), u"2024年3月29日（金）令和6年");
    QCOMPARE(labelText(*due, "movedResult"), u"24/03/31（日）日曜日 → 前営業日");

    auto* phrase = control<QLineEdit>(*due, QStringLiteral("phraseBox"));
    commitText(phrase, QStringLiteral("末締め 翌月末払い　休日は翌営業日"));
    QCOMPARE(phrase->text(), u"末締め 翌月末払い　休日は翌営業日");
    QCOMPARE(comboText(*due, "closingBox"), u"月末");
    QCOMPARE(comboText(*due, "holidayBox"), u"翌営業日");
    QCOMPARE(labelText(*due, "closingDateResult"), u"24/02/29");
    QCOMPARE(labelText(*due, "dueDateResult"), u"24/04/01");

    auto* months = control<QComboBox>(*due, QStringLiteral("payMonthBox"));
    months->setFocus();
    QTest::keyClick(months, Qt::Key_Down); // 翌々月
    QVERIFY(phrase->text().contains(u"翌々月"));
    QCOMPARE(labelText(*due, "dueDateResult"), u"24/04/30");
    QVERIFY(labelText(*due, "movedResult").isEmpty());

    QAbstractItemModel* table = control<QTableView>(*due, QStringLiteral("scheduleTable"))->model();
    QCOMPARE(table->rowCount(), 12);
    QCOMPARE(table->index(1, 1).data().toString(), u"24/03/01～24/03/31");
    QCOMPARE(due->shownCells().size(), 13);

    // An unreadable phrase says why and leaves the terms and results alone.
    commitText(phrase, QStringLiteral("末締め翌年末払い"));
    QVERIFY(labelText(*due, "phraseProblem").contains(u"年末"));
    QCOMPARE(labelText(*due, "dueDateResult"), u"24/04/30");

    // A record date that is no date shows no result; Enter completes one.
    auto* record = control<QLineEdit>(*due, QStringLiteral("recordBox"));
    typeInto(record, u"3/"_qs);
    QVERIFY(labelText(*due, "dueDateResult").isEmpty());
    QVERIFY(control<QLabel>(*due, u"dueProblem"_qs)->isVisible());
    typeAndEnter(record, u"3/31"_qs);
    QCOMPARE(record->text(), u"25/03/31");
    QCOMPARE(labelText(*due, "closingDateResult"), u"25/03/31");
    QVERIFY(!control<QLabel>(*due, u"dueProblem"_qs)->isVisible());

    QTest::keyClick(phrase, Qt::Key_Escape);
    QVERIFY(!due->isVisible());
}

void TestDueWindow::readsUnderEachPalette_data() {
    QTest::addColumn<bool>("dark");
    QTest::newRow("default palette") << false;
    QTest::newRow("dark palette") << true;
}

// Every caption, result and table cell on rendered pixels, against the WCAG
// AA minimum, under the desktop's palette and a dark one.
void TestDueWindow::readsUnderEachPalette() {
    QFETCH(bool, dark);
    if (dark) {
        QPalette palette(QColor(45, 45, 45), QColor(45, 45, 45));
        palette.setColor(QPalette::Base, QColor(30, 30, 30));
        QApplication::setPalette(palette);
    }
    FixedClock clock{kToday};
    DueWindow due(clock);
    due.start(u"25/11/28"_qs, u"月末");
    due.show();
    QVERIFY(QTest::qWaitForWindowExposed(&due));
    const QImage picture = due.grab().toImage();
    const qreal scale = picture.devicePixelRatio();
    const auto contrast = [&](const QWidget& widget, QRect local) {
        const QRect area(widget.mapTo(&due, local.topLeft()), local.size());
        return pixels::textContrast(picture, QRect((QPointF(area.topLeft()) * scale).toPoint(),
                                                   (QSizeF(area.size()) * scale).toSize()));
    };
    QStringList faint;
    for (QLabel* label : due.findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty() && contrast(*label, label->rect()) < 4.5)
            faint.append(label->text());
    auto* view = control<QTableView>(due, u"scheduleTable"_qs);
    for (int column = 0; column < view->model()->columnCount(); ++column) {
        const QRect cell = view->visualRect(view->model()->index(0, column));
        if (contrast(*view->viewport(), cell) < 4.5)
            faint.append(view->model()->index(0, column).data().toString());
    }
    QVERIFY2(faint.isEmpty(), qPrintable(faint.join(u", ")));
}

QTEST_MAIN(TestDueWindow)
#include "tst_due_window.moc"
