#pragma once

#include "clock.h"
#include "date_forms.h"
#include "date_text.h"
#include "judging_ranges.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace tokivane {

// A line of the source with the date read from its judged cell.
struct BatchRow {
    qsizetype line = 0;
    QStringList cells;
    std::optional<Date> date;
    Unread unread = Unread::None;
    bool unbalancedQuote = false;
    // One bit per judged range; meaningful only while the table is judged.
    quint16 yes = 0;
};

// Many lines read for judging, and their judgements once judged.
struct BatchTable {
    // Named by the header line when there is one, else "列1", "列2"...
    QStringList inputHeaders;
    qsizetype judgedColumn = 0;
    bool headerLine = false;
    QList<BatchRow> rows;
    std::optional<JudgingBasis> basis;
};

// Reads every line of a text; nothing is judged yet.
BatchTable readBatch(QStringView text, const Clock& clock);

// Judges every row with a date against the basis's ranges. Each distinct date
// is judged once, so long tables of few days cost little.
void judgeBatch(BatchTable& table, const JudgingBasis& basis);

// Forgets the judgements, as when the window's inputs fail Execute's checks.
void clearJudgements(BatchTable& table);

// What the status line counts.
struct BatchCounts {
    qsizetype rows = 0;
    qsizetype dates = 0;
    qsizetype unread = 0;
};

BatchCounts countsOf(const BatchTable& table);

// How many rows the range at `index` holds.
qsizetype yesCount(const BatchTable& table, int index);

} // namespace tokivane
