#pragma once

#include <QString>

namespace tokivane {

// Whether an X server accepts a connection on `display` (":0", "host:1.0").
// Only built where the program can use X11.
bool x11DisplayAnswers(const QString& display);

} // namespace tokivane
