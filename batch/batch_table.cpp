#include "batch_table.h"

#include "column_choice.h"
#include "source_lines.h"

#include <algorithm>
#include <vector>

namespace tokivane {

namespace {

using namespace std::chrono;

constexpr sys_days kFirstDay{year{kCentury} / January / 1};
constexpr int kDaysInCentury = (sys_days{year{kCentury + 100} / January / 1} - kFirstDay).count();

QStringList inputHeadersOf(const QList<SourceLine>& lines, bool headerLine) {
    qsizetype columns = 0;
    for (const SourceLine& line : lines)
        columns = std::max(columns, line.cells.size());
    QStringList headers = headerLine ? lines.front().cells : QStringList();
    for (qsizetype column = 0; column < columns; ++column) {
        if (column >= headers.size())
            headers.append(QStringLiteral("列%1").arg(column + 1));
        else if (headers[column].trimmed().isEmpty())
            headers[column] = QStringLiteral("列%1").arg(column + 1);
    }
    return headers;
}

BatchRow rowOf(SourceLine& line, qsizetype column, const Clock& clock) {
    BatchRow row;
    row.line = line.number;
    row.unbalancedQuote = line.unbalancedQuote;
    if (line.isEmpty()) {
        row.unread = Unread::EmptyLine;
    } else {
        const DateReading reading = column < line.cells.size()
                                        ? readDateForm(line.cells[column], clock)
                                        : DateReading{std::nullopt, Unread::NotADate, false};
        row.date = reading.date;
        row.unread = reading.unread;
    }
    row.cells = std::move(line.cells);
    return row;
}

} // namespace

BatchTable readBatch(QStringView text, const Clock& clock) {
    QList<SourceLine> lines = sourceLinesOf(text);
    const ColumnChoice choice = chooseColumn(lines, clock);
    BatchTable table;
    table.judgedColumn = choice.column;
    table.headerLine = choice.headerLine;
    table.inputHeaders = inputHeadersOf(lines, choice.headerLine);
    table.rows.reserve(lines.size());
    for (qsizetype at = choice.headerLine ? 1 : 0; at < lines.size(); ++at)
        table.rows.append(rowOf(lines[at], choice.column, clock));
    return table;
}

void judgeBatch(BatchTable& table, const JudgingBasis& basis) {
    constexpr int kUnjudged = -1;
    std::vector<int> byDay(static_cast<std::size_t>(kDaysInCentury), kUnjudged);
    for (BatchRow& row : table.rows) {
        if (!row.date)
            continue;
        int& known = byDay[static_cast<std::size_t>((sys_days{*row.date} - kFirstDay).count())];
        if (known == kUnjudged)
            known = judgementsOf(basis.ranges, *row.date);
        row.yes = static_cast<quint16>(known);
    }
    table.basis = basis;
}

void clearJudgements(BatchTable& table) {
    for (BatchRow& row : table.rows)
        row.yes = 0;
    table.basis.reset();
}

BatchCounts countsOf(const BatchTable& table) {
    BatchCounts counts;
    counts.rows = table.rows.size();
    counts.dates =
        std::ranges::count_if(table.rows, [](const BatchRow& row) { return row.date.has_value(); });
    counts.unread = counts.rows - counts.dates;
    return counts;
}

qsizetype yesCount(const BatchTable& table, int index) {
    if (!table.basis)
        return 0;
    return std::ranges::count_if(
        table.rows, [index](const BatchRow& row) { return row.date && (row.yes >> index) & 1U; });
}

} // namespace tokivane
