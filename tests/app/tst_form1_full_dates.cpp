// Every field and box that shows a real date tells it in full, weekday and
// era included, in its tooltip and accessible description, through every
// change of its text; the accessible name stays what it shows.
#include "form_harness.h"

#include <QAccessible>
#include <QHelpEvent>

using namespace tokivane;
using namespace tokivane::harness;

namespace {

enum class Command { None, Execute, ExecuteThenClear };

QString accessibleText(QWidget* widget, QAccessible::Text which) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which) : QStringLiteral("<no accessible interface>");
}

// The tooltip window on show, if any: a top-level label.
QLabel* shownTooltip() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* tip = qobject_cast<QLabel*>(top); tip && tip->isVisible())
            return tip;
    return nullptr;
}

// The width of what is drawn on a picture: the columns holding a pixel that
// differs from the ground at the top left corner.
int inkWidth(const QImage& picture) {
    const QRgb ground = picture.pixel(0, 0);
    int first = picture.width();
    int last = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != ground) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return last - first + 1;
}

} // namespace

class TestForm1FullDates : public QObject {
    Q_OBJECT

  private slots:
    void showsTheFullDateOfWhatIsShown_data();
    void showsTheFullDateOfWhatIsShown();
    void tooltipShowsTheWholeDate();
};

void TestForm1FullDates::showsTheFullDateOfWhatIsShown_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QString>("description");

    const auto row = [](const char* title, const char* box, const char* typed, bool enter,
                        Command command, const char* widget, const char* name, const char* tooltip,
                        const char* description) {
        QTest::newRow(title) << QString::fromUtf8(box) << QString::fromUtf8(typed) << enter
                             << int(command) << QString::fromUtf8(widget) << QString::fromUtf8(name)
                             << QString::fromUtf8(tooltip) << QString::fromUtf8(description);
    };
    const Command none = Command::None;
    const Command execute = Command::Execute;
    const Command clear = Command::ExecuteThenClear;
    const char* today = "2025年11月15日（土）令和7年";

    row("Text1 at start", "", "", false, none, "Text1", "処理日", today, today);
    row("Text2 completed by Enter", "Text2", "2/29", true, none, "Text2", "記録日",
        "2025年2月28日（金）令和7年", "2025年2月28日（金）令和7年");
    row("Text1 typed, last day of Heisei", "Text1", "19/4/30", false, none, "Text1", "処理日",
        "2019年4月30日（火）休日 平成31年", "2019年4月30日（火）休日 平成31年");
    row("Text2 typed, first day of Reiwa", "Text2", "19/5/1", false, none, "Text2", "記録日",
        "2019年5月1日（水）休日（祝日扱い） 令和元年",
        "2019年5月1日（水）休日（祝日扱い） 令和元年");
    row("Text2 typed, no date", "Text2", "19/2/29", false, none, "Text2", "記録日", "", "");
    row("Label21 before Execute", "", "", false, none, "Label21", "", "", "今回請求 開始");
    row("Label24 after Execute", "", "", false, execute, "Label24", "25/11/20",
        "2025年11月20日（木）令和7年", "締め日 2025年11月20日（木）令和7年");
    row("Label22 echoing the typed processing date", "Text1", "26/1/5", false, execute, "Label22",
        "26/1/5", "2026年1月5日（月）令和8年", "今回請求 終了 2026年1月5日（月）令和8年");
    row("Label40, a judgement", "", "", false, execute, "Label40", "No", "", "前回請求 判定");
    row("Label24 emptied by Clear", "", "", false, clear, "Label24", "", "", "締め日");
    row("Label41 kept by Clear", "", "", false, clear, "Label41", "25/09/21",
        "2025年9月21日（日）令和7年", "前回請求 開始 2025年9月21日（日）令和7年");
}

void TestForm1FullDates::showsTheFullDateOfWhatIsShown() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    QFETCH(int, command);
    QFETCH(QString, widget);
    QFETCH(QString, name);
    QFETCH(QString, tooltip);
    QFETCH(QString, description);

    ShownForm shown;
    QVERIFY(shown.show());
    QWidget& form = *shown.form;
    if (!box.isEmpty()) {
        typeInto(control<QLineEdit>(form, box), typed);
        if (enter)
            QTest::keyClick(control<QLineEdit>(form, box), Qt::Key_Return);
    }
    if (Command(command) != Command::None)
        QCOMPARE(click(executeButton(form)).size(), 0);
    if (Command(command) == Command::ExecuteThenClear)
        QCOMPARE(click(clearButton(form)).size(), 0);

    QWidget* shows = control<QWidget>(form, widget);
    QCOMPARE(shows->toolTip(), tooltip);
    QCOMPARE(accessibleText(shows, QAccessible::Description), description);
    // Screen readers read the name first: still the box's label or the field's text.
    QCOMPARE(accessibleText(shows, QAccessible::Name), name);
}

void TestForm1FullDates::tooltipShowsTheWholeDate() {
    ShownForm shown;
    QVERIFY(shown.show());
    QCOMPARE(click(executeButton(*shown.form)).size(), 0);
    QLabel* closing = field(*shown.form, Label24);
    const QPoint middle = closing->rect().center();
    QHelpEvent hover(QEvent::ToolTip, middle, closing->mapToGlobal(middle));
    QApplication::sendEvent(closing, &hover);

    QTRY_VERIFY(shownTooltip());
    QLabel* tip = shownTooltip();
    const QString full = u"2025年11月20日（木）令和7年"_qs;
    QCOMPARE(tip->text(), full);
    // Drawn whole, not cut: the ink spans nearly the text's own width. The
    // frame is left out, since it differs from the ground too.
    const int frame = tip->frameWidth() + 1;
    const QImage inside =
        tip->grab().toImage().copy(tip->rect().adjusted(frame, frame, -frame, -frame));
    const int textWidth = tip->fontMetrics().horizontalAdvance(full);
    QVERIFY2(inkWidth(inside) >= textWidth * 9 / 10,
             qPrintable(QStringLiteral("%1 of %2").arg(inkWidth(inside)).arg(textWidth)));
}

QTEST_MAIN(TestForm1FullDates)
#include "tst_form1_full_dates.moc"
