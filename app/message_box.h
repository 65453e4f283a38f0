#pragma once

#include <QString>

class QWidget;

namespace tokivane {

// A modal message over `parent` with an OK button only, no icon and the
// application's title, in the parent's colours.
void showMessageBox(QWidget& parent, const QString& message);

} // namespace tokivane
