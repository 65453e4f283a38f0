#include "x_server.h"

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

XServer::~XServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

QString XServer::start() {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return QStringLiteral("cannot create a pipe");
    pid_ = fork();
    if (pid_ < 0)
        return QStringLiteral("cannot fork");
    if (pid_ == 0) {
        close(pipeFds[0]);
        // Xvfb picks a free display and writes its number to the pipe.
        const QByteArray fd = QByteArray::number(pipeFds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1024x768x24",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    FILE* in = fdopen(pipeFds[0], "r");
    int number = -1;
    const bool read = in && std::fscanf(in, "%d", &number) == 1;
    if (in)
        std::fclose(in);
    if (!read)
        return QStringLiteral("Xvfb did not start (is it installed?)");
    display_ = QStringLiteral(":%1").arg(number);
    return {};
}
