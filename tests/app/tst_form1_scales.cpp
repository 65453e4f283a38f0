// Nothing of a fixed caption is cut off at the scale this run is given
// (QT_SCALE_FACTOR; ctest runs it at 100, 125, 150 and 200 %). A caption
// drawn in a box with room to spare must put all its ink inside its own box,
// and the hint, whose last line comes closest to its edge, must leave its
// bottom pixel row clear.
#include "form1_layout.h"
#include "form_harness.h"
#include "pixels.h"

using namespace tokivane;
using namespace tokivane::harness;

namespace {

// Room for a line more below, and to the right of an unwrapped caption.
constexpr int kRoom = 20;

QImage grabbed(QLabel& label, QSize size) {
    const QSize designed = label.size();
    label.resize(size);
    const QImage picture = label.grab().toImage();
    label.resize(designed);
    return picture;
}

QRect inPixels(QSize size, qreal scale) {
    return QRect(QPoint(), (QSizeF(size) * scale).toSize());
}

} // namespace

class TestForm1Scales : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(shown_.show()); }

    void captionInkStaysInItsBox_data();
    void captionInkStaysInItsBox();
    void hintLeavesItsBottomRowClear();

  private:
    ShownForm shown_;
    QLabel& label(const QString& name) { return *control<QLabel>(*shown_.form, name); }
};

void TestForm1Scales::captionInkStaysInItsBox_data() {
    QTest::addColumn<QString>("name");

    QTest::newRow("Label20") << layout::kHint.name.toString();
    for (const auto& placement : layout::kFixedLabels)
        QTest::newRow(qPrintable(placement.name.toString())) << placement.name.toString();
}

void TestForm1Scales::captionInkStaysInItsBox() {
    QFETCH(QString, name);
    QLabel& caption = label(name);
    const QSize box = caption.size();
    // A wrapped caption keeps its width, so that it wraps as it does in its box.
    const QSize roomy = box + QSize(caption.wordWrap() ? 0 : kRoom, kRoom);
    const QImage picture = grabbed(caption, roomy);

    const QRect ink = pixels::inkBounds(picture);
    const QRect inside = inPixels(box, picture.devicePixelRatio());
    QVERIFY2(!ink.isEmpty(), "no text drawn");
    QVERIFY2(inside.contains(ink),
             qPrintable(QStringLiteral("ink reaches %1,%2; the box ends at %3,%4")
                            .arg(ink.right())
                            .arg(ink.bottom())
                            .arg(inside.right())
                            .arg(inside.bottom())));
}

void TestForm1Scales::hintLeavesItsBottomRowClear() {
    QLabel& hint = label(layout::kHint.name.toString());
    const QImage picture = grabbed(hint, hint.size());
    QCOMPARE(picture.height(), inPixels(hint.size(), picture.devicePixelRatio()).height());
    const QRect ink = pixels::inkBounds(picture);
    QVERIFY(!ink.isEmpty());
    QCOMPARE_LT(ink.bottom(), picture.height() - 1);
}

QTEST_MAIN(TestForm1Scales)
#include "tst_form1_scales.moc"
