#pragma once

#include "ledger_totals.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tokivane {

enum class TotalsTable { ByDue, Invoices, Months };

// On screen amounts and counts have thousands separators; in copies and CSV
// files they are digits alone after a leading minus.
enum class TotalsForm { Shown, Plain };

// 回収予定日別, 請求締日・得意先別 and 月別.
QString totalsTitle(TotalsTable which);

// A table's header line, its lines, the line of rows without a 回収予定日
// (回収予定日別 only) and the 合計 line; refused totals give the header and
// why instead.
QList<QStringList> totalsCells(const LedgerTotals& totals, TotalsTable which, TotalsForm form);

// The three tables in order, each under its title line and apart from the
// next by an empty line, for copying and CSV files.
QList<QStringList> allTotalsCells(const LedgerTotals& totals, TotalsForm form);

// The headers of the tables' columns of counts and amounts (件数, 金額,
// 累計), and of dates (回収予定日, 請求締日), for saving them as such.
QStringList totalsNumberHeaders();
QStringList totalsDateHeaders();

// The line under the tables: what was totalled, and the rows left out and why.
QString totalsNote(const LedgerTotals& totals);

} // namespace tokivane
