#pragma once

#include "form_controls.h"

class QWidget;

namespace tokivane {

// Copies every result to the clipboard as a table: by Ctrl+Shift+C from
// anywhere in `form`, and by "結果をコピー" in the context menu of the result
// area of `client`, the output fields included.
void installResultsCopy(QWidget& form, QWidget& client, const FormControls& controls);

} // namespace tokivane
