#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

// Driving a program's window on an X display as a person would, with
// xdotool's real key and pointer events.
namespace xdriver {

// Runs xdotool and gives what it printed; a step that fails fails the test
// where it happens, not later as a wrong field. Waits `settleMs` after it,
// so the program handles the events before the next step looks.
QString xdotool(const QStringList& arguments, int settleMs = 50);

// The first visible window whose title matches `pattern`, once it is shown:
// its id, or empty when none appeared.
QString waitForWindow(const QString& pattern);

// Where a window lies on the screen.
QRect windowGeometry(const QString& window);

// The point of the screen where a window's client area begins. Without a
// window manager a window is its own frame: the menu bar is on top, and the
// client area, `clientHeight` high, at the bottom.
QPoint clientOrigin(const QRect& window, int clientHeight);

// Moves the pointer to a point of the screen and clicks there; hovering
// first, as a hand does, lets a menu bar pick its item on the way in.
void clickAtScreen(QPoint point);

} // namespace xdriver
