// The window's font as actually resolved on this machine, and whether every
// fixed caption keeps all its characters in that font.
#include "app/form1_layout.h"
#include "app/form_font.h"
#include "form_harness.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStyleOptionButton>
#include <QTextLayout>
#include <algorithm>

using namespace tokivane;
using namespace tokivane::harness;

namespace {

// One line of 9.75 pt at 96 dpi.
constexpr int kEmPixels = 13;

struct TextBox {
    QString text;
    QFont font;
    int width = 0;
    int height = 0;
    bool wraps = false;
};

// What a caption occupies: where a label paints, or inside a button's frame.
TextBox textBoxOf(QWidget& widget) {
    if (auto* button = qobject_cast<QPushButton*>(&widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect inside =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return {button->text(), button->font(), inside.width(), button->height(), false};
    }
    auto* label = qobject_cast<QLabel*>(&widget);
    const QRect inside = label->contentsRect();
    return {label->text(), label->font(), inside.width(), inside.height(), label->wordWrap()};
}

struct Layout {
    int lines = 0;
    qreal widest = 0;
};

// Breaks the text as the label paints it: at word boundaries, which for
// Japanese means between most characters.
Layout layOut(const TextBox& box) {
    QTextLayout layout(box.text, box.font);
    QTextOption option;
    option.setWrapMode(box.wraps ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    Layout result;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width);
        ++result.lines;
        result.widest = std::max(result.widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return result;
}

} // namespace

class TestFormFont : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void resolvedFontShowsJapanese();
    void everyControlUsesTheWindowFont();
    void fixedCaptionsFitTheirBoxes_data();
    void fixedCaptionsFitTheirBoxes();

  private:
    std::unique_ptr<ShownForm> window_;
    Form1& form() { return *window_->form; }
};

void TestFormFont::init() {
    window_ = std::make_unique<ShownForm>();
    QVERIFY(window_->show());
}

void TestFormFont::cleanup() {
    window_.reset();
}

void TestFormFont::resolvedFontShowsJapanese() {
    const QFontInfo resolved(form().font());
    QVERIFY2(QFontDatabase::writingSystems(resolved.family()).contains(QFontDatabase::Japanese),
             qPrintable(resolved.family()));
    // One of the Mincho faces asked for, not whatever the system falls back to.
    QVERIFY2(formFont().families().contains(resolved.family()), qPrintable(resolved.family()));
    QCOMPARE(form().font().pointSizeF(), 9.75);
    QCOMPARE(resolved.pixelSize(), kEmPixels);
}

void TestFormFont::everyControlUsesTheWindowFont() {
    const QString family = QFontInfo(form().font()).family();
    for (QWidget* widget : form().centralWidget()->findChildren<QWidget*>()) {
        const QFontInfo used(widget->font());
        QVERIFY2(used.family() == family, qPrintable(widget->objectName() + ": " + used.family()));
        QVERIFY2(used.pixelSize() == kEmPixels, qPrintable(widget->objectName()));
    }
}

void TestFormFont::fixedCaptionsFitTheirBoxes_data() {
    QTest::addColumn<QString>("name");

    for (const auto& spec : layout::kFixedLabels)
        QTest::newRow(qPrintable(spec.name.toString())) << spec.name.toString();
    QTest::newRow("Label20") << layout::kHint.name.toString();
    QTest::newRow("Command1") << layout::kCommand1.name.toString();
    QTest::newRow("Command4") << layout::kCommand4.name.toString();
}

void TestFormFont::fixedCaptionsFitTheirBoxes() {
    QFETCH(QString, name);

    const TextBox box = textBoxOf(*control<QWidget>(form(), name));
    QVERIFY(!box.text.isEmpty());
    const int linesHeld = std::max(1, box.height / kEmPixels);
    const Layout laidOut = layOut(box);
    QVERIFY2(laidOut.lines <= linesHeld,
             qPrintable(QStringLiteral("%1 needs %2 lines, its box holds %3")
                            .arg(box.text)
                            .arg(laidOut.lines)
                            .arg(linesHeld)));
    QVERIFY2(laidOut.widest <= box.width,
             qPrintable(QStringLiteral("%1 is %2 px wide, its box %3 px")
                            .arg(box.text)
                            .arg(laidOut.widest)
                            .arg(box.width)));
}

QTEST_MAIN(TestFormFont)
#include "tst_form_font.moc"
