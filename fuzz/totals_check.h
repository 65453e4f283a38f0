#pragma once

// The totals of a judged ledger against sums worked out row by row in 128
// bits: every row's amount read as its cell reads, every figure the exact sum
// of its rows, and a refusal only when some figure leaves 64 bits.
#include "amount_cell.h"
#include "amount_cells.h"
#include "amount_column.h"
#include "batch_table.h"
#include "ledger_totals.h"
#include "row_amounts.h"
#include "totals_cells.h"
#include "totals_chart.h"

#include <QString>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <utility>

namespace fuzzing {

__extension__ typedef __int128 Wide;

// Rows whose notes are read again: enough for every kind a few lines make.
constexpr qsizetype kNotedRows = 200;

[[noreturn]] inline void totalsFailed(const char* what, const QString& text) {
    std::fprintf(stderr, "%s\ntext: %s\n", what, qUtf8Printable(text.left(2000)));
    std::abort();
}

inline bool fitsIn64Bits(Wide value) {
    return value >= std::numeric_limits<qint64>::min() &&
           value <= std::numeric_limits<qint64>::max();
}

// A group's exact sum, and the sums of its positive and negative amounts,
// which bound the sum of any part of it.
struct WideSum {
    qint64 count = 0;
    Wide total = 0;
    Wide positive = 0;
    Wide negative = 0;

    void add(qint64 hundredths) {
        ++count;
        total += hundredths;
        (hundredths > 0 ? positive : negative) += hundredths;
    }
    bool is(const tokivane::Figure& figure) const {
        return fitsIn64Bits(total) && count == figure.count && figure.amount.hundredths == total;
    }
    bool partsFit() const { return fitsIn64Bits(positive) && fitsIn64Bits(negative); }
};

inline int dayOf(tokivane::Date date) {
    return std::chrono::sys_days{date}.time_since_epoch().count();
}

struct ReferenceTotals {
    WideSum all;
    WideSum undated;
    WideSum dated;
    std::map<int, WideSum> byDue;
    std::map<int, WideSum> byMonth;
    std::map<std::pair<int, int>, WideSum> byInvoiceDates;
};

inline bool inTarget(const tokivane::BatchTable& table, const tokivane::BatchRow& row,
                     tokivane::Target target) {
    const auto index = target.judgement;
    return !index || (tokivane::judgementShown(table, row, *index) && ((row.yes >> *index) & 1U));
}

inline ReferenceTotals referenceOf(const tokivane::BatchTable& table,
                                   const tokivane::RowAmounts& amounts, tokivane::Target target) {
    ReferenceTotals sums;
    for (qsizetype at = 0; at < table.rows.size(); ++at) {
        const tokivane::BatchRow& row = table.rows[at];
        const auto amount = amounts.amountOf(at);
        if (!inTarget(table, row, target) || !amount)
            continue;
        sums.all.add(amount->hundredths);
        const auto due = tokivane::dueDateOfRow(table, row);
        if (!due || !std::holds_alternative<tokivane::DueDate>(*due)) {
            sums.undated.add(amount->hundredths);
            continue;
        }
        const tokivane::DueDate dates = std::get<tokivane::DueDate>(*due);
        sums.dated.add(amount->hundredths);
        sums.byDue[dayOf(dates.due)].add(amount->hundredths);
        sums.byMonth[int(dates.due.year()) * 12 + int(unsigned(dates.due.month()))].add(
            amount->hundredths);
        sums.byInvoiceDates[{dayOf(dates.closing), dayOf(dates.due)}].add(amount->hundredths);
    }
    return sums;
}

// Whether some figure the totals show, or some part of an invoice's dates,
// leaves 64 bits.
inline bool someFigureLeaves(const ReferenceTotals& sums) {
    bool leaves = !fitsIn64Bits(sums.all.total) || !fitsIn64Bits(sums.undated.total) ||
                  !fitsIn64Bits(sums.dated.total);
    Wide running = 0;
    for (const auto& [day, sum] : sums.byDue) {
        running += sum.total;
        leaves = leaves || !fitsIn64Bits(sum.total) || !fitsIn64Bits(running);
    }
    for (const auto& [month, sum] : sums.byMonth)
        leaves = leaves || !fitsIn64Bits(sum.total);
    for (const auto& [dates, sum] : sums.byInvoiceDates)
        leaves = leaves || !sum.partsFit();
    return leaves;
}

inline void checkLines(const tokivane::LedgerTotals& totals, const ReferenceTotals& sums,
                       const QString& text) {
    if (!sums.all.is(totals.all) || !sums.undated.is(totals.undated) ||
        !sums.dated.is(totals.dated) || totals.byDue.size() != sums.byDue.size() ||
        totals.months.size() != sums.byMonth.size())
        totalsFailed("a total is not the sum of its rows", text);
    auto due = sums.byDue.begin();
    Wide running = 0;
    for (const tokivane::DueLine& line : totals.byDue) {
        running += due->second.total;
        if (due->first != dayOf(line.due) || !due->second.is(line.figure) ||
            line.running.hundredths != running)
            totalsFailed("a due date's line is not the sum of its rows", text);
        ++due;
    }
    auto month = sums.byMonth.begin();
    for (const tokivane::MonthLine& line : totals.months) {
        if (month->first != int(line.month.year()) * 12 + int(unsigned(line.month.month())) ||
            !month->second.is(line.figure))
            totalsFailed("a month's line is not the sum of its rows", text);
        ++month;
    }
    std::map<std::pair<int, int>, WideSum> invoices;
    for (const tokivane::InvoiceLine& line : totals.invoices) {
        WideSum& sum = invoices[{dayOf(line.closing), dayOf(line.due)}];
        sum.count += line.figure.count;
        sum.total += line.figure.amount.hundredths;
    }
    if (invoices.size() != sums.byInvoiceDates.size())
        totalsFailed("invoices of other dates than their rows'", text);
    for (const auto& [dates, sum] : invoices) {
        const WideSum& rows = sums.byInvoiceDates.at(dates);
        if (sum.count != rows.count || sum.total != rows.total)
            totalsFailed("invoices are not the sums of their rows", text);
    }
}

inline void checkTexts(const tokivane::LedgerTotals& totals, const QString& text) {
    const auto bars = tokivane::chartBarsOf(totals);
    if (bars.size() != (totals.refusal ? 0 : totals.byDue.size()))
        totalsFailed("a chart bar for other than a due date", text);
    if (tokivane::wantsMonths(bars))
        tokivane::monthlyBars(bars);
    tokivane::allTotalsCells(totals, tokivane::TotalsForm::Shown);
    const auto plain =
        tokivane::totalsCells(totals, tokivane::TotalsTable::ByDue, tokivane::TotalsForm::Plain);
    if (tokivane::totalsNote(totals).isEmpty())
        totalsFailed("totals without a note", text);
    if (totals.refusal)
        return;
    const auto total = tokivane::readAmountCell(plain.last().value(3));
    if (!std::holds_alternative<tokivane::Amount>(total) ||
        std::get<tokivane::Amount>(total).hundredths != totals.all.amount.hundredths)
        totalsFailed("the copied 合計 reads back differently", text);
}

// Every row's amount as its cell reads, why a refused one is refused, and
// the totals of every row and of 今回請求's.
inline void checkTotals(const tokivane::BatchTable& table, const QString& text) {
    auto column = table.amountColumn;
    if (!column && !table.inputHeaders.isEmpty())
        column = table.inputHeaders.size() - 1;
    const tokivane::RowAmounts amounts(table, column);
    for (qsizetype at = 0; at < table.rows.size(); ++at) {
        const tokivane::BatchRow& row = table.rows[at];
        const QStringView record = QStringView(table.source).sliced(row.start, row.end - row.start);
        const QString cell =
            column ? tokivane::cellOfRecord(record, table.separator, *column).value_or(QString())
                   : QString();
        const tokivane::AmountCell read = tokivane::readAmountCell(cell);
        const auto* amount = std::get_if<tokivane::Amount>(&read);
        const bool refused = std::holds_alternative<tokivane::AmountError>(read);
        if ((amount ? std::optional(*amount) : std::nullopt) != amounts.amountOf(at) ||
            refused != (amounts.stateOf(at) == tokivane::AmountState::Refused))
            totalsFailed("a row's amount differs from its cell's", text);
        if (at < kNotedRows && tokivane::amountNote(table, row, column).isEmpty() == refused)
            totalsFailed("a refused amount without a note, or a note without one", text);
    }
    for (const tokivane::Target target :
         {tokivane::Target::allRows(), tokivane::Target::judgedYes(1)}) {
        const tokivane::LedgerTotals totals = tokivane::totalsOf(table, amounts, target);
        const ReferenceTotals sums = referenceOf(table, amounts, target);
        if (totals.refusal ? !someFigureLeaves(sums) : !fitsIn64Bits(sums.all.total))
            totalsFailed("totals refused within 64 bits, or shown past them", text);
        if (!totals.refusal)
            checkLines(totals, sums, text);
        checkTexts(totals, text);
    }
}

} // namespace fuzzing
