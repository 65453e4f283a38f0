// When the program refuses to start for want of a display: only where Qt
// would have to reach X11 or Wayland and could not, and never for a platform
// of its own such as offscreen.
#include "display_check.h"

#include <QTest>

using namespace tokivane;

namespace {

enum class Verdict { Starts, NoDisplay, NothingAnswers };

} // namespace

Q_DECLARE_METATYPE(Verdict)

class TestDisplayCheck : public QObject {
    Q_OBJECT

  private slots:
    void refusesOnlyWithoutAReachableDisplay_data();
    void refusesOnlyWithoutAReachableDisplay();
    void qtOptionsStandBeforeTheEnvironment_data();
    void qtOptionsStandBeforeTheEnvironment();
};

void TestDisplayCheck::refusesOnlyWithoutAReachableDisplay_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("x11Display");
    QTest::addColumn<QString>("waylandDisplay");
    QTest::addColumn<bool>("x11Answers");
    QTest::addColumn<Verdict>("verdict");

    const auto row = [](const char* name, const char* platform, const char* x11,
                        const char* wayland, bool answers, Verdict verdict) {
        QTest::newRow(name) << QString::fromLatin1(platform) << QString::fromLatin1(x11)
                            << QString::fromLatin1(wayland) << answers << verdict;
    };
    row("nothing named", "", "", "", false, Verdict::NoDisplay);
    row("X display answers", "", ":0", "", true, Verdict::Starts);
    row("X display silent", "", ":99", "", false, Verdict::NothingAnswers);
    row("Wayland named, X silent", "", ":99", "wayland-0", false, Verdict::Starts);
    row("offscreen, nothing named", "offscreen", "", "", false, Verdict::Starts);
    row("vnc with options, X silent", "vnc:size=800x600", ":99", "", false, Verdict::Starts);
    row("offscreen as fallback", "xcb;offscreen", "", "", false, Verdict::Starts);
    row("xcb asked, only Wayland named", "xcb", "", "wayland-0", false, Verdict::NoDisplay);
    row("xcb asked, Wayland named, X silent", "xcb", ":99", "wayland-0", false,
        Verdict::NothingAnswers);
    row("wayland asked, only X named", "wayland", ":0", "", true, Verdict::NoDisplay);
    row("wayland-egl asked and named", "wayland-egl", "", "wayland-0", false, Verdict::Starts);
}

void TestDisplayCheck::refusesOnlyWithoutAReachableDisplay() {
    QFETCH(QString, platform);
    QFETCH(QString, x11Display);
    QFETCH(QString, waylandDisplay);
    QFETCH(bool, x11Answers);
    QFETCH(Verdict, verdict);

    QStringList probed;
    const auto problem =
        displayProblem({platform, x11Display, waylandDisplay}, [&](const QString& display) {
            probed.append(display);
            return x11Answers;
        });
    switch (verdict) {
    case Verdict::Starts:
        QVERIFY2(!problem, qPrintable(problem.value_or(QString())));
        break;
    case Verdict::NoDisplay:
        QCOMPARE(problem, kNoDisplayMessage.toString());
        break;
    case Verdict::NothingAnswers:
        QCOMPARE(probed, QStringList{x11Display});
        QVERIFY(problem &&
                problem->contains(QStringLiteral("nothing answers on display ") + x11Display));
        break;
    }
}

void TestDisplayCheck::qtOptionsStandBeforeTheEnvironment_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("x11Display");
    QTest::addColumn<QString>("namedBy");

    QTest::newRow("no options") << QStringList{} << "xcb"
                                << ":1"
                                << "DISPLAY";
    QTest::newRow("-platform") << QStringList{"-platform", "offscreen"} << "offscreen"
                               << ":1"
                               << "DISPLAY";
    QTest::newRow("--display") << QStringList{"--display", ":7"} << "xcb"
                               << ":7"
                               << "-display";
    QTest::newRow("option without its value") << QStringList{"-platform"} << "xcb"
                                              << ":1"
                                              << "DISPLAY";
}

void TestDisplayCheck::qtOptionsStandBeforeTheEnvironment() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QFETCH(QString, x11Display);
    QFETCH(QString, namedBy);

    const DisplaySettings settings = withQtOptions({"xcb", ":1", ""}, arguments);
    QCOMPARE(settings.platform, platform);
    QCOMPARE(settings.x11Display, x11Display);
    QCOMPARE(settings.x11DisplayNamedBy, namedBy);
}

QTEST_GUILESS_MAIN(TestDisplayCheck)
#include "tst_display_check.moc"
