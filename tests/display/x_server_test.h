#pragma once

#include "x_server.h"

#include <QApplication>
#include <QTest>
#include <cstdio>

// Runs a Qt Test class on a private Xvfb server, the test itself an X client
// there (for the clipboard, the key events and the screenshot), beside the
// program it drives.
template <typename Test> int runOnPrivateXServer(int argc, char* argv[]) {
    XServer server;
    if (const QString problem = server.start(); !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    qputenv("DISPLAY", server.display().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
