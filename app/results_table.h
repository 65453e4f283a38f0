#pragma once

#include "output_fields.h"

#include <QString>
#include <functional>

namespace tokivane {

// Every result of the four groups as a spreadsheet takes it on paste: one line
// per row of the window, in reading order, with the group title, the row
// caption, the judgement, the start (or single date) and the end.
struct ResultsTable {
    // Tab-separated cells, each line ended by CRLF.
    QString plainText;
    // The same cells as an HTML table whose cells are marked as text, so that
    // a date text such as 25/11/20 is kept as written.
    QString html;
};

// `captionOf` gives the text an output field shows.
ResultsTable resultsTable(const std::function<QString(OutputField)>& captionOf);

} // namespace tokivane
