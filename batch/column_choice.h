#pragma once

#include "clock.h"
#include "source_lines.h"

#include <QList>

namespace tokivane {

// Enough lines to tell the columns apart; the rest cannot change the choice
// much and would only cost time on long files.
inline constexpr qsizetype kSampledLines = 1000;

struct ColumnChoice {
    // The column whose cells are judged.
    qsizetype column = 0;
    // The first line names the columns and is not judged.
    bool headerLine = false;
};

// The judged column is the first in which most lines hold a date, preferring
// dates written with a year over bare numbers (a quantity column of 1 to 31
// would read as days). The first line is a header when its judged cell is no
// date while most other lines hold one there.
ColumnChoice chooseColumn(const QList<SourceLine>& lines, const Clock& clock);

} // namespace tokivane
