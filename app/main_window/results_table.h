#pragma once

#include "clipboard_table.h"
#include "output_fields.h"

#include <QString>
#include <functional>

namespace tokivane {

// Every result of the four groups as a spreadsheet takes it on paste: one line
// per row of the window, in reading order, with the group title, the row
// caption, the judgement, the start (or single date) and the end.
using ResultsTable = ClipboardTable;

// `captionOf` gives the text an output field shows.
ResultsTable resultsTable(const std::function<QString(OutputField)>& captionOf);

} // namespace tokivane
