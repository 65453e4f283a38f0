// The built program where it cannot work as intended: with no font that can
// show Japanese it says what to install in one line and opens anyway; with no
// display, or one where nothing answers, it says so in one line and ends with
// exit code 1 instead of Qt's abort.
#include "x_server.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kTimeoutMs = 10000;

const QString kNoDisplayLine =
    QStringLiteral("tokivane: no graphical display; start it from a desktop session, or under a "
                   "virtual display: xvfb-run -a tokivane");

// The environment of a user without any display or Qt platform chosen.
QProcessEnvironment bareEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

// A display number no X server holds: neither its lock file nor its socket exists.
QString unusedDisplay() {
    for (int number = 90;; ++number) {
        if (!QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) &&
            !QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            return QStringLiteral(":%1").arg(number);
    }
}

QStringList linesOf(const QByteArray& output) {
    return QString::fromLocal8Bit(output).split(u'\n', Qt::SkipEmptyParts);
}

// A fontconfig configuration that knows only the fonts of one directory.
bool writeFontConfig(const QString& path, const QString& fontDirectory,
                     const QString& cacheDirectory) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral("<?xml version=\"1.0\"?>\n"
                              "<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                              "<fontconfig><dir>%1</dir><cachedir>%2</cachedir></fontconfig>\n")
                   .arg(fontDirectory, cacheDirectory)
                   .toUtf8());
    return true;
}

} // namespace

class TestProgramStart : public QObject {
    Q_OBJECT

  private slots:
    void withoutADisplayEndsWithOneLine_data();
    void withoutADisplayEndsWithOneLine();
    void withoutAJapaneseFontSaysWhatToInstallAndOpens();
};

void TestProgramStart::withoutADisplayEndsWithOneLine_data() {
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("line");

    QTest::newRow("no display named") << QString() << kNoDisplayLine;
    const QString silent = unusedDisplay();
    QTest::newRow("nothing answers on the display named")
        << silent
        << QStringLiteral("tokivane: nothing answers on display %1 (named by DISPLAY); start it "
                          "from a desktop session, or under a virtual display: xvfb-run -a "
                          "tokivane")
               .arg(silent);
}

void TestProgramStart::withoutADisplayEndsWithOneLine() {
    QFETCH(QString, display);
    QFETCH(QString, line);

    QProcessEnvironment environment = bareEnvironment();
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TOKIVANE_PROGRAM));
    QVERIFY(program.waitForFinished(kTimeoutMs));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(linesOf(program.readAllStandardError()), QStringList{line});
}

void TestProgramStart::withoutAJapaneseFontSaysWhatToInstallAndOpens() {
    XServer server;
    const QString problem = server.start();
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString config = work.filePath(QStringLiteral("fonts.conf"));
    QVERIFY(writeFontConfig(config, QStringLiteral(TOKIVANE_LATIN_FONT_DIR),
                            work.filePath(QStringLiteral("cache"))));
    const QString runtime = work.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkdir(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    QProcessEnvironment environment = bareEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), server.display());
    environment.insert(QStringLiteral("FONTCONFIG_FILE"), config);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TOKIVANE_PROGRAM));
    QVERIFY(program.waitForStarted(kTimeoutMs));

    QProcess search;
    search.setProcessEnvironment(environment);
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--sync"),
                  QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                  QStringLiteral("^Tokivane$")});
    const bool found = search.waitForFinished(kTimeoutMs) && search.exitCode() == 0;
    search.kill();
    const bool stillRunning = program.state() == QProcess::Running;
    program.kill();
    program.waitForFinished(kTimeoutMs);
    QVERIFY2(found, "the window did not appear");
    QVERIFY(stillRunning);

    const QStringList lines = linesOf(program.readAllStandardError());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith(u"tokivane: ") &&
                 lines.first().contains(u"fonts-ipafont-mincho"),
             qPrintable(lines.first()));
}

QTEST_GUILESS_MAIN(TestProgramStart)
#include "tst_program_start.moc"
