// Runs the built program on a private X server, types into it with real key
// events, clicks with the real pointer, and reads results back the way a
// person would: selecting a field and copying it to the clipboard.
#include "form1_layout.h"
#include "x_driver.h"
#include "x_server_test.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTest>

using namespace tokivane;

namespace {

constexpr int kTimeoutMs = 10000;
const QString kSentinel = QStringLiteral("(nothing copied)");

QPoint centreOf(TwipsRect rect) {
    const QRect pixels = toPixels(rect);
    return pixels.topLeft() + QPoint(qMin(pixels.width() / 2, 20), pixels.height() / 2);
}

QList<int> fieldIds(std::initializer_list<OutputField> fields) {
    QList<int> ids;
    for (const OutputField field : fields)
        ids.append(static_cast<int>(field));
    return ids;
}

TwipsRect fieldRect(OutputField field) {
    for (const auto& placement : layout::kOutputFields)
        if (placement.field == field)
            return placement.rect;
    qFatal("unknown field");
}

} // namespace

class TestRealDisplay : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void enterCompletesTypedDates_data();
    void enterCompletesTypedDates();
    void executeFillsTheFields_data();
    void executeFillsTheFields();
    void outputFieldsStayReadOnly();
    void saveScreenshot();
    void endMenuClosesTheProgram();

  private:
    void clickAt(QPoint clientPoint) { xdriver::clickAtScreen(clientOrigin_ + clientPoint); }
    void click(TwipsRect rect) { clickAt(centreOf(rect)); }
    void keys(const QString& keys) { xdriver::xdotool({QStringLiteral("key"), keys}); }
    void type(const QString& text);
    QString copyFrom(TwipsRect rect);
    void replaceBoxText(TwipsRect rect, const QString& text, const QString& enterKey);
    void startProgram();
    QRect menuItemOnScreen();

    QProcess program_;
    int windowTop_ = 0;
    QPoint clientOrigin_;
};

void TestRealDisplay::type(const QString& text) {
    xdriver::xdotool(
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
}

QString TestRealDisplay::copyFrom(TwipsRect rect) {
    QGuiApplication::clipboard()->setText(kSentinel);
    click(rect);
    keys(QStringLiteral("ctrl+a"));
    keys(QStringLiteral("ctrl+c"));
    // The program answers the clipboard request asynchronously.
    QDeadlineTimer deadline(kTimeoutMs);
    QString copied = QGuiApplication::clipboard()->text();
    while (copied == kSentinel && !deadline.hasExpired()) {
        QTest::qWait(20);
        copied = QGuiApplication::clipboard()->text();
    }
    return copied;
}

void TestRealDisplay::replaceBoxText(TwipsRect rect, const QString& text, const QString& enterKey) {
    click(rect);
    keys(QStringLiteral("ctrl+a"));
    keys(QStringLiteral("BackSpace"));
    type(text);
    keys(enterKey);
}

void TestRealDisplay::initTestCase() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program_.setProcessEnvironment(environment);
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
}

// Each test starts from a running program, so that any one runs alone; the
// program is started again only after a test ended it.
void TestRealDisplay::init() {
    if (program_.state() == QProcess::NotRunning)
        startProgram();
}

void TestRealDisplay::startProgram() {
    program_.start(QStringLiteral(TOKIVANE_PROGRAM));
    QVERIFY2(program_.waitForStarted(kTimeoutMs), qPrintable(program_.errorString()));

    const QString window = xdriver::waitForWindow(QStringLiteral("^Tokivane$"));
    QVERIFY2(!window.isEmpty(), "the window did not appear");
    const QRect geometry = xdriver::windowGeometry(window);
    const int clientHeight = toPixels(layout::kClientHeight);
    QVERIFY(geometry.height() > clientHeight);
    windowTop_ = geometry.y();
    clientOrigin_ = xdriver::clientOrigin(geometry, clientHeight);
    // Let the window paint before anything reads the screen.
    QTest::qWait(200);
}

// The menu bar's only item, found on the screen as the ink that stands out
// from the bar's own colour.
QRect TestRealDisplay::menuItemOnScreen() {
    const int width = toPixels(layout::kClientWidth);
    const QImage bar =
        QGuiApplication::primaryScreen()
            ->grabWindow(0, clientOrigin_.x(), windowTop_, width, clientOrigin_.y() - windowTop_)
            .toImage();
    const QRgb ground = bar.pixel(bar.width() - 1, bar.height() / 2);
    QRect ink;
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x)
            if (qGray(bar.pixel(x, y)) < qGray(ground) - 96)
                ink |= QRect(x, y, 1, 1);
    return ink.translated(clientOrigin_.x(), windowTop_);
}

void TestRealDisplay::cleanupTestCase() {
    if (program_.state() != QProcess::NotRunning) {
        program_.kill();
        program_.waitForFinished(kTimeoutMs);
    }
}

void TestRealDisplay::enterCompletesTypedDates_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("enterKey");
    QTest::addColumn<QString>("shown");

    QTest::newRow("Return, no leading zeros") << "26/12/5"
                                              << "Return"
                                              << "26/12/05";
    QTest::newRow("keypad Enter, impossible month end") << "24/2/30"
                                                        << "KP_Enter"
                                                        << "24/02/29";
    QTest::newRow("four-digit year") << "2026/11/31"
                                     << "Return"
                                     << "26/11/30";
}

void TestRealDisplay::enterCompletesTypedDates() {
    QFETCH(QString, typed);
    QFETCH(QString, enterKey);
    QFETCH(QString, shown);
    for (const auto& box : {layout::kText1, layout::kText2}) {
        replaceBoxText(box.rect, typed, enterKey);
        QCOMPARE(copyFrom(box.rect), shown);
    }
}

void TestRealDisplay::executeFillsTheFields_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QList<int>>("fields");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("invoicing on the 5th, record in the current period")
        << "26/12/5"
        << "26/11/30" << fieldIds({Label24, Label41, Label42, Label40, Label21, Label22, Label51})
        << QStringList{"26/12/20", "26/10/21", "26/11/20", "No", "26/11/21", "26/12/05", "Yes"};
    QTest::newRow("ledger, reports and collection after the closing")
        << "26/12/25"
        << "26/12/24" << fieldIds({Label26, Label57, Label31, Label54, Label61, Label62, Label64})
        << QStringList{"26/12/24", "Yes", "26/12/21", "Yes", "26/11/21", "26/12/20", "25/11/20"};
}

void TestRealDisplay::executeFillsTheFields() {
    QFETCH(QString, processing);
    QFETCH(QString, record);
    QFETCH(QList<int>, fields);
    QFETCH(QStringList, shown);
    replaceBoxText(layout::kText1.rect, processing, QStringLiteral("Return"));
    replaceBoxText(layout::kText2.rect, record, QStringLiteral("Return"));
    click(layout::kCommand1.rect);
    QStringList copied;
    for (const int field : fields)
        copied.append(copyFrom(fieldRect(static_cast<OutputField>(field))));
    QCOMPARE(copied, shown);
}

void TestRealDisplay::outputFieldsStayReadOnly() {
    replaceBoxText(layout::kText1.rect, QStringLiteral("26/12/5"), QStringLiteral("Return"));
    click(layout::kCommand1.rect);
    const TwipsRect closing = fieldRect(Label24);
    click(closing);
    type(QStringLiteral("x"));
    keys(QStringLiteral("BackSpace"));
    keys(QStringLiteral("Delete"));
    QCOMPARE(copyFrom(closing), QStringLiteral("26/12/20"));
}

void TestRealDisplay::saveScreenshot() {
    const QString directory = QStringLiteral(TOKIVANE_ARTIFACTS);
    QVERIFY(QDir().mkpath(directory));
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    QVERIFY(!shot.isNull());
    QVERIFY(shot.save(directory + QStringLiteral("/real-display.png")));
}

void TestRealDisplay::endMenuClosesTheProgram() {
    const QRect item = menuItemOnScreen();
    QVERIFY2(item.isValid() && item.height() >= 6, "no menu item drawn in the menu bar");
    xdriver::clickAtScreen(item.center());
    QTRY_COMPARE_WITH_TIMEOUT(program_.state(), QProcess::NotRunning, kTimeoutMs);
    QCOMPARE(program_.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program_.exitCode(), 0);
}

int main(int argc, char* argv[]) {
    return runOnPrivateXServer<TestRealDisplay>(argc, argv);
}

#include "tst_real_display.moc"
