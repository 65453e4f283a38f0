#pragma once

#include <QPalette>

class QWidget;

namespace tokivane {

// The window's designed light colours with every role its controls, message
// boxes and tooltips draw with pinned, so a dark desktop theme cannot put
// light text on the grey ground.
QPalette formPalette();

// Gives `form` that palette, and tooltips too: they are windows of their own
// and take their colours from QToolTip, not from the widget they describe.
void applyFormPalette(QWidget& form);

} // namespace tokivane
