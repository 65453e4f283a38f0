// Installs the Windows package into a fresh Wine prefix as an office PC's
// administrator would, uses the installed program as a person would (real key
// and mouse events on a private X server), compares what it copies with what
// the Linux window gives for the same input, and uninstalls it again.
//
// ./scripts/check-windows-install runs it; the environment names the
// packages (TOKIVANE_MSI, and TOKIVANE_EARLIER_MSI, the same package built as
// an earlier version), the Wine prefix (WINEPREFIX, made already) and where
// the screenshot goes (TOKIVANE_ARTIFACTS).
#include "clock.h"
#include "complete_date.h"
#include "form1.h"
#include "form1_layout.h"
#include "output_fields.h"
#include "results_table.h"
#include "x_driver.h"
#include "x_server_test.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace tokivane;

namespace {

// Wine starts slowly the first time in a prefix.
constexpr int kTimeoutMs = 60000;
// Wine passes events on through its own server: a little longer to settle.
constexpr int kSettleMs = 100;
const QString kSentinel = QStringLiteral("(nothing copied)");
const QString kRecordTyped = QStringLiteral("2/29");
// What Apps & features lists: the entry, and the installed product with its icon.
const QString kUninstallKey =
    QStringLiteral("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
const QString kProductsKey = QStringLiteral("HKLM\\Software\\Classes\\Installer\\Products");
const QString kProgramWindows = QStringLiteral("C:\\Program Files\\Tokivane\\tokivane.exe");

QString environment(const char* name) {
    const QString value = qEnvironmentVariable(name);
    if (value.isEmpty())
        qFatal("%s is not set; ./scripts/check-windows-install sets it", name);
    return value;
}

QString prefixPath(const QString& relative) {
    return environment("WINEPREFIX") + QStringLiteral("/drive_c/") + relative;
}

QPoint centreOf(TwipsRect rect) {
    const QRect pixels = toPixels(rect);
    return pixels.topLeft() + QPoint(qMin(pixels.width() / 2, 20), pixels.height() / 2);
}

// What the Linux window shows after the same steps on the same day.
ResultsTable linuxResults() {
    SystemClock clock;
    Form1 form(clock);
    auto* record = form.findChild<QLineEdit*>(QStringLiteral("Text2"));
    record->setText(kRecordTyped);
    QTest::keyClick(record, Qt::Key_Return);
    form.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    return resultsTable(
        [&form](OutputField field) { return form.findChild<QLabel*>(fieldName(field))->text(); });
}

} // namespace

class TestWindowsInstall : public QObject {
    Q_OBJECT

  private slots:
    void earlierVersionInstalls();
    void upgradeReplacesItInPlace();
    void programOpensItsWindow();
    void enterCompletesTheRecordDate();
    void executeCopiesWhatLinuxShows();
    void saveScreenshot();
    void endMenuClosesTheProgram();
    void uninstallRemovesIt();
    void cleanupTestCase();

  private:
    int wine(const QStringList& arguments, QString* output = nullptr);
    QMap<QString, QString> entryNamedTokivane(const QString& root, const QString& nameValue);
    QMap<QString, QString> uninstallEntry() {
        return entryNamedTokivane(kUninstallKey, QStringLiteral("DisplayName"));
    }
    void clickAt(QPoint clientPoint) { xdriver::clickAtScreen(clientOrigin_ + clientPoint); }
    void keys(const QString& keys) { xdriver::xdotool({QStringLiteral("key"), keys}, kSettleMs); }
    QString clipboardAfter(const std::function<void()>& copy);

    QProcess program_;
    QPoint clientOrigin_;
    QRect window_;
};

int TestWindowsInstall::wine(const QStringList& arguments, QString* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("wine"), arguments);
    if (!process.waitForFinished(kTimeoutMs))
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return process.exitCode();
}

// The values of the one key below `root` whose `nameValue` is Tokivane, or none.
QMap<QString, QString> TestWindowsInstall::entryNamedTokivane(const QString& root,
                                                              const QString& nameValue) {
    QString listing;
    wine({QStringLiteral("reg"), QStringLiteral("query"), root, QStringLiteral("/s")}, &listing);
    QList<QMap<QString, QString>> entries;
    for (const QString& line : listing.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u"HKEY_")) {
            entries.append(QMap<QString, QString>());
        } else if (!entries.isEmpty() && trimmed.contains(u"REG_")) {
            const QStringList parts = trimmed.split(QStringLiteral("    "), Qt::SkipEmptyParts);
            if (parts.size() == 3)
                entries.last().insert(parts[0], parts[2]);
        }
    }
    QList<QMap<QString, QString>> ours;
    for (const auto& entry : entries)
        if (entry.value(nameValue) == u"Tokivane")
            ours.append(entry);
    if (ours.size() > 1)
        qWarning("%lld uninstall entries named Tokivane", static_cast<long long>(ours.size()));
    return ours.size() == 1 ? ours.first() : QMap<QString, QString>{};
}

// The X clipboard as xclip reads it: Wine answers it, from what the program
// put on the Windows clipboard, more readily than to a Qt client.
QString xclip(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral("xclip"),
                  QStringList{QStringLiteral("-selection"), QStringLiteral("clipboard")} +
                      arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(kTimeoutMs);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The program answers the clipboard request asynchronously.
QString TestWindowsInstall::clipboardAfter(const std::function<void()>& copy) {
    xclip({QStringLiteral("-i")}, kSentinel.toUtf8());
    copy();
    const QStringList read{QStringLiteral("-o"), QStringLiteral("-t"),
                           QStringLiteral("UTF8_STRING")};
    QDeadlineTimer deadline(kTimeoutMs);
    QString copied = xclip(read);
    while (copied == kSentinel && !deadline.hasExpired()) {
        QTest::qWait(100);
        copied = xclip(read);
    }
    return copied;
}

void TestWindowsInstall::earlierVersionInstalls() {
    QCOMPARE(wine({QStringLiteral("msiexec"), QStringLiteral("/i"),
                   environment("TOKIVANE_EARLIER_MSI"), QStringLiteral("/qn")}),
             0);
    QVERIFY(QFile::exists(prefixPath(QStringLiteral("Program Files/Tokivane/tokivane.exe"))));
    QCOMPARE(uninstallEntry().value(QStringLiteral("DisplayVersion")), QStringLiteral("0.9.0"));
}

void TestWindowsInstall::upgradeReplacesItInPlace() {
    QCOMPARE(wine({QStringLiteral("msiexec"), QStringLiteral("/i"), environment("TOKIVANE_MSI"),
                   QStringLiteral("/qn")}),
             0);
    const QMap<QString, QString> entry = uninstallEntry();
    QCOMPARE(entry.value(QStringLiteral("DisplayVersion")), QStringLiteral("1.0.0"));
    QCOMPARE(entry.value(QStringLiteral("Publisher")), QStringLiteral("Tokivane developers"));
    const QString icon = entryNamedTokivane(kProductsKey, QStringLiteral("ProductName"))
                             .value(QStringLiteral("ProductIcon"));
    QVERIFY2(icon.endsWith(u".ico"), qPrintable(icon));
    for (const char* file :
         {"tokivane.exe", "README.txt", "LICENSE.txt", "THIRD-PARTY-NOTICES.txt"})
        QVERIFY2(QFile::exists(prefixPath(QStringLiteral("Program Files/Tokivane/") + file)), file);
    // Windows puts a per-machine shortcut in the shared Start menu; Wine's
    // installer puts it in the installing user's.
    const QString startMenu = QStringLiteral("Microsoft/Windows/Start Menu/Programs/Tokivane.lnk");
    QVERIFY(
        QFile::exists(prefixPath(QStringLiteral("ProgramData/") + startMenu)) ||
        QFile::exists(prefixPath(QStringLiteral("users/%1/AppData/Roaming/")
                                     .arg(qEnvironmentVariable("USER", QStringLiteral("root"))) +
                                 startMenu)));
}

void TestWindowsInstall::programOpensItsWindow() {
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
    program_.start(QStringLiteral("wine"), {kProgramWindows});
    QVERIFY2(program_.waitForStarted(kTimeoutMs), qPrintable(program_.errorString()));
    const QString window = xdriver::waitForWindow(QStringLiteral("^Tokivane$"));
    QVERIFY2(!window.isEmpty(), "the window did not appear");
    // Wholly on the screen, for the screenshot.
    xdriver::xdotool(
        {QStringLiteral("windowmove"), window, QStringLiteral("0"), QStringLiteral("0")});
    window_ = xdriver::windowGeometry(window);
    const int clientHeight = toPixels(layout::kClientHeight);
    QVERIFY(window_.height() > clientHeight);
    clientOrigin_ = xdriver::clientOrigin(window_, clientHeight);
    QTest::qWait(500);
}

void TestWindowsInstall::enterCompletesTheRecordDate() {
    clickAt(centreOf(layout::kText2.rect));
    keys(QStringLiteral("ctrl+a"));
    keys(QStringLiteral("BackSpace"));
    xdriver::xdotool(
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"), kRecordTyped},
        kSettleMs);
    keys(QStringLiteral("Return"));
    const QString shown = clipboardAfter([this] {
        clickAt(centreOf(layout::kText2.rect));
        keys(QStringLiteral("ctrl+a"));
        keys(QStringLiteral("ctrl+c"));
    });
    SystemClock clock;
    QCOMPARE(shown, completedDate(kRecordTyped, clock));
}

void TestWindowsInstall::executeCopiesWhatLinuxShows() {
    clickAt(centreOf(layout::kCommand1.rect));
    // Wine hands the clipboard to X only once the program has answered.
    QTest::qWait(1000);
    const QString copied = clipboardAfter([this] { keys(QStringLiteral("ctrl+shift+c")); });
    // Wine hands text to X with Unix line ends.
    QCOMPARE(copied,
             linuxResults().plainText.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TestWindowsInstall::saveScreenshot() {
    const QString directory = environment("TOKIVANE_ARTIFACTS");
    QVERIFY(QDir().mkpath(directory));
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
        0, window_.x(), window_.y(), window_.width(), window_.height());
    QVERIFY(!shot.isNull());
    QVERIFY(shot.save(directory + QStringLiteral("/window.png")));
}

// 終了 is the menu bar's only item, at its left end.
void TestWindowsInstall::endMenuClosesTheProgram() {
    const int barHeight = clientOrigin_.y() - window_.y();
    clickAt(QPoint(barHeight, -barHeight / 2));
    QTRY_COMPARE_WITH_TIMEOUT(program_.state(), QProcess::NotRunning, kTimeoutMs);
    QCOMPARE(program_.exitCode(), 0);
}

void TestWindowsInstall::uninstallRemovesIt() {
    QCOMPARE(wine({QStringLiteral("msiexec"), QStringLiteral("/x"), environment("TOKIVANE_MSI"),
                   QStringLiteral("/qn")}),
             0);
    QVERIFY(!QDir(prefixPath(QStringLiteral("Program Files/Tokivane"))).exists());
    QVERIFY(uninstallEntry().isEmpty());
}

void TestWindowsInstall::cleanupTestCase() {
    if (program_.state() != QProcess::NotRunning) {
        program_.kill();
        program_.waitForFinished(kTimeoutMs);
    }
}

int main(int argc, char* argv[]) {
    return runOnPrivateXServer<TestWindowsInstall>(argc, argv);
}

#include "tst_windows_install.moc"
