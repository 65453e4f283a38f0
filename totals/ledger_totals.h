#pragma once

#include "amount.h"
#include "batch_table.h"
#include "row_amounts.h"

#include <QString>
#include <chrono>
#include <optional>
#include <vector>

namespace tokivane {

// The rows totalled: every row (すべての行), or those judged "Yes" in one of
// the nine judgement columns; a row whose judgement is not shown is not.
struct Target {
    // An index of kRangeCaptions; none for every row.
    std::optional<int> judgement;

    static Target allRows() { return {}; }
    static Target judgedYes(int index) { return {index}; }
    bool operator==(const Target&) const = default;
};

QString targetCaption(Target target);

// How many rows a line holds and their amounts added up.
struct Figure {
    qint64 count = 0;
    Amount amount;
};

// 回収予定日別: one line a due date, with the total up to and including it.
struct DueLine {
    Date due;
    Figure figure;
    Amount running;
};

// 請求締日・得意先別: one invoice.
struct InvoiceLine {
    Date closing;
    QString customer;
    // 請求期間: the day after the previous closing to the closing date.
    Date periodStart;
    Date due;
    Figure figure;
};

// 月別: the due dates' months.
struct MonthLine {
    std::chrono::year_month month;
    Figure figure;
};

// Rows not added up, by the first reason that leaves each out.
struct LeftOut {
    qint64 notInTarget = 0;
    qint64 amountEmpty = 0;
    qint64 amountRefused = 0;
    // No amount column chosen: every row of the target.
    qint64 noAmountColumn = 0;
};

// A ledger's amounts added up by due date, invoice and month. Rows without a
// 回収予定日 are a line of the first table only; the others leave them out.
struct LedgerTotals {
    Target target;
    std::vector<DueLine> byDue;
    Figure undated;
    std::vector<InvoiceLine> invoices;
    std::vector<MonthLine> months;
    // The rows with a 回収予定日: the 合計 of invoices and months.
    Figure dated;
    // Every row added up: the 合計 of 回収予定日別.
    Figure all;
    LeftOut leftOut;
    // Set when a figure passes what 64 bits hold: then no line is given.
    std::optional<QString> refusal;
};

// The totals of the target's rows with their amounts read, judged or not: a
// table not judged has no due dates.
LedgerTotals totalsOf(const BatchTable& table, const RowAmounts& amounts, Target target);

} // namespace tokivane
