#include "x_driver.h"

#include <QMap>
#include <QProcess>
#include <QTest>

namespace xdriver {

namespace {

constexpr int kTimeoutMs = 60000;

} // namespace

QString xdotool(const QStringList& arguments, int settleMs) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(kTimeoutMs) || process.exitCode() != 0) {
        const QString failure =
            QStringLiteral("xdotool %1 failed: %2")
                .arg(arguments.join(u' '), QString::fromLocal8Bit(process.readAllStandardError()));
        QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
    }
    QTest::qWait(settleMs);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QString waitForWindow(const QString& pattern) {
    return xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                    QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern})
        .section(u'\n', 0, 0);
}

QRect windowGeometry(const QString& window) {
    const QString shell =
        xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    QMap<QString, int> values;
    for (const QString& line : shell.split(u'\n', Qt::SkipEmptyParts))
        values.insert(line.section(u'=', 0, 0), line.section(u'=', 1).toInt());
    return QRect(values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
                 values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT")));
}

QPoint clientOrigin(const QRect& window, int clientHeight) {
    return QPoint(window.x(), window.y() + window.height() - clientHeight);
}

void clickAtScreen(QPoint point) {
    xdotool({QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y())});
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
}

} // namespace xdriver
