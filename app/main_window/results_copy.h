#pragma once

#include "form_controls.h"

#include <QList>

class QAction;
class QWidget;

namespace tokivane {

// Copies every result to the clipboard as a table: by Ctrl+Shift+C from
// anywhere in `form`, and by "結果をコピー" in the context menu of the result
// area of `client`, the output fields included. That menu lists `moreEntries`
// after its own.
void installResultsCopy(QWidget& form, QWidget& client, const FormControls& controls,
                        const QList<QAction*>& moreEntries = {});

} // namespace tokivane
