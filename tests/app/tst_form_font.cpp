// The window's font as actually resolved on this machine, and whether every
// fixed caption keeps all its characters in that font.
#include "form1_layout.h"
#include "form_font.h"
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

struct Fit {
    QString text;
    int lines = 0;
    int linesHeld = 0;
    qreal widest = 0;
    int width = 0;
};

// Lays a caption out as it is painted: in a label's contents, wrapped at word
// boundaries (for Japanese, between most characters) where the label wraps,
// or on one line inside a button's frame.
Fit fitOf(QWidget& widget) {
    Fit fit;
    int height = widget.height();
    bool wraps = false;
    if (auto* button = qobject_cast<QPushButton*>(&widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = fit.text = button->text();
        fit.width =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    } else {
        auto* label = qobject_cast<QLabel*>(&widget);
        fit.text = label->text();
        fit.width = label->contentsRect().width();
        height = label->contentsRect().height();
        wraps = label->wordWrap();
    }
    fit.linesHeld = std::max(1, height / kEmPixels);

    QTextLayout layout(fit.text, widget.font());
    QTextOption option;
    option.setWrapMode(wraps ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(fit.width);
        ++fit.lines;
        fit.widest = std::max(fit.widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return fit;
}

} // namespace

class TestFormFont : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        window_ = std::make_unique<ShownForm>();
        QVERIFY(window_->show());
    }
    void cleanup() { window_.reset(); }

    void resolvedFontShowsJapanese();
    void everyControlUsesTheWindowFont();
    void fixedCaptionsFitTheirBoxes_data();
    void fixedCaptionsFitTheirBoxes();

  private:
    std::unique_ptr<ShownForm> window_;
    Form1& form() { return *window_->form; }
};

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

    for (const auto& placement : layout::kFixedLabels)
        QTest::newRow(qPrintable(placement.name.toString())) << placement.name.toString();
    QTest::newRow("Label20") << layout::kHint.name.toString();
    QTest::newRow("Command1") << layout::kCommand1.name.toString();
    QTest::newRow("Command4") << layout::kCommand4.name.toString();
}

void TestFormFont::fixedCaptionsFitTheirBoxes() {
    QFETCH(QString, name);

    const Fit fit = fitOf(*control<QWidget>(form(), name));
    QVERIFY(!fit.text.isEmpty());
    QVERIFY2(fit.lines <= fit.linesHeld,
             qPrintable(QStringLiteral("%1 needs %2 lines, its box holds %3")
                            .arg(fit.text)
                            .arg(fit.lines)
                            .arg(fit.linesHeld)));
    QVERIFY2(fit.widest <= fit.width, qPrintable(QStringLiteral("%1 is %2 px wide, its box %3 px")
                                                     .arg(fit.text)
                                                     .arg(fit.widest)
                                                     .arg(fit.width)));
}

QTEST_MAIN(TestFormFont)
#include "tst_form_font.moc"
