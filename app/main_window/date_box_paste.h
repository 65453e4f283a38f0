#pragma once

#include <QString>
#include <functional>

class QLineEdit;

namespace tokivane {

// Pastes into the date boxes (keys, the box's menu, the middle button, text
// dragged in) drop the line break a copied spreadsheet cell carries. A paste
// of several lines into the record date box goes to `openLines` instead, and
// the box keeps its text; the processing date box takes the first line.
void installDateBoxPaste(QLineEdit& text1, QLineEdit& text2,
                         std::function<void(const QString&)> openLines);

} // namespace tokivane
