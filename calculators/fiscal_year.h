#pragma once

#include <QString>

namespace tokivane {

// 1 December that opens the fiscal year of a date text: the same year for a
// December date, the year before otherwise ("24/05/10" gives "23/12/01").
QString fiscalYearStart(const QString& dateText);

} // namespace tokivane
