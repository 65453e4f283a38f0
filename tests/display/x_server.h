#pragma once

#include <QString>
#include <sys/types.h>

// A private Xvfb server for one test run, with no window manager: started
// on a free display number, stopped when the object goes.
class XServer {
  public:
    XServer() = default;
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    ~XServer();

    // Empty on success, otherwise what went wrong.
    QString start();
    QString display() const { return display_; }

  private:
    pid_t pid_ = -1;
    QString display_;
};
