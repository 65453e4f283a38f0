#pragma once

// What the batch reader's fuzz target checks of customer lists: any text read
// as a list either is refused with a reason or gives rows that each have terms
// in range or say why not, and codes that lead to rows that exist; a ledger
// joined to it shows every cell, and a row whose customer gives no terms has
// no due date and says why.

#include "batch_columns.h"
#include "batch_table.h"
#include "customer_list.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace fuzzing {

inline void customersFailed(const char* what, const QString& text) {
    std::fprintf(stderr, "%s\ntext: %s\n", what, qUtf8Printable(text.left(2000)));
    std::abort();
}

inline bool inRange(const tokivane::CustomerTerms& terms) {
    const bool closing = terms.closing.kind != tokivane::ClosingDay::Kind::Day ||
                         (terms.closing.day >= 1 && terms.closing.day <= tokivane::kLastClosingDay);
    const tokivane::PayDay& pay = terms.pay;
    const bool paid =
        pay.kind == tokivane::PayDay::Kind::DaysAfter
            ? pay.days >= 1 && pay.days <= tokivane::kMaxDaysAfter
            : pay.months <= tokivane::kMaxMonthsAfter && pay.day <= tokivane::kLastPayDay;
    return closing && paid;
}

inline void checkList(const tokivane::CustomerList& list, const QString& text) {
    for (const tokivane::CustomerRow& row : list.rows) {
        if (!row.terms && row.note.isEmpty())
            customersFailed("a customer without terms says nothing", text);
        if (row.terms && !inRange(*row.terms))
            customersFailed("a customer's terms out of range", text);
    }
    for (const tokivane::ListedCode& listed : list.byCode) {
        if (listed.row < 0 || listed.row >= qsizetype(list.rows.size()))
            customersFailed("a code leads to no row", text);
        if (listed.givesTerms && !list.rows[std::size_t(listed.row)].terms)
            customersFailed("a code gives terms its row has not", text);
    }
    if (tokivane::customerListCells(list).size() != qsizetype(list.rows.size()) + 1)
        customersFailed("the list's view lost a row", text);
}

// Rows joined and shown at most.
constexpr qsizetype kJoinedRows = 200;

// The text before its first empty line as a customer list, the rest (or the
// whole) as a ledger joined to it.
inline void checkCustomers(const QString& text, const tokivane::Clock& clock,
                           const tokivane::JudgingBasis& basis) {
    const qsizetype blank = text.indexOf(u"\n\n");
    const QString listText = blank < 0 ? text : text.first(blank);
    const QString ledgerText = blank < 0 ? text : text.sliced(blank + 2);
    for (const auto counting :
         {tokivane::MonthCounting::ZeroIsThisMonth, tokivane::MonthCounting::OneIsThisMonth}) {
        auto read = tokivane::readCustomerList(listText, counting);
        if (const auto* problem = std::get_if<QString>(&read)) {
            if (problem->isEmpty())
                customersFailed("a list refused without a reason", text);
            continue;
        }
        auto list = std::make_shared<const tokivane::CustomerList>(
            std::get<tokivane::CustomerList>(std::move(read)));
        checkList(*list, text);
        tokivane::BatchTable table = tokivane::readBatch(ledgerText, clock, list->codeHeader);
        tokivane::judgeBatch(table, basis, tokivane::startingTerms(basis.closingEntry), list);
        const int columns = tokivane::batchColumnCount(table);
        for (qsizetype at = 0; at < std::min(table.rows.size(), kJoinedRows); ++at) {
            const tokivane::BatchRow& row = table.rows[at];
            QStringList cells;
            for (int column = 0; column < columns; ++column)
                cells.append(tokivane::batchCellText(table, row, column));
            if (row.date && tokivane::lacksCustomer(table, row) &&
                (tokivane::dueDateOfRow(table, row) || cells.back().isEmpty()))
                customersFailed("a row without its customer's terms got a due date or no reason",
                                text);
        }
    }
}

} // namespace fuzzing
