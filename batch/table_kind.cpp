#include "table_kind.h"

#include "column_choice.h"
#include "customer_columns.h"
#include "customer_list.h"
#include "date_forms.h"
#include "source_lines.h"

#include <algorithm>
#include <vector>

namespace tokivane {

namespace {

// The first non-empty records, split; a long text is not split whole.
QList<QStringList> firstLines(QStringView text, qsizetype count) {
    QList<QStringList> lines;
    RecordSplitter splitter(text);
    while (lines.size() < count && !splitter.atEnd()) {
        const SourceRecord record = splitter.next();
        QStringList cells = cellsOfRecord(text.sliced(record.start, record.end - record.start),
                                          splitter.separator());
        if (cells.size() > 1 || !cells.front().isEmpty())
            lines.append(std::move(cells));
    }
    return lines;
}

// The columns a list's headers name; their numbers are days and months.
std::vector<qsizetype> listColumns(const QStringList& headers) {
    const CustomerColumns columns = customerColumnsOf(headers);
    std::vector<qsizetype> claimed;
    for (const auto& column : {columns.code, columns.name, columns.closing, columns.payMonth,
                               columns.payDay, columns.holidays, columns.terms})
        if (column)
            claimed.push_back(*column);
    return claimed;
}

// Digits alone: a code, a day or a count, too plain to tell a date by.
bool isBareNumber(QStringView cell) {
    cell = cell.trimmed();
    return !cell.isEmpty() && std::ranges::all_of(cell, [](QChar c) { return c.isDigit(); });
}

// A column where most lines hold a date: written with a year anywhere, or
// with a month too in a column the list's headers do not name ("10/05").
bool hasDateColumn(const QList<QStringList>& lines, const Clock& clock) {
    const std::vector<qsizetype> claimed = listColumns(lines.front());
    std::vector<qsizetype> dates;
    for (qsizetype at = 1; at < lines.size(); ++at) {
        const QStringList& cells = lines[at];
        if (dates.size() < static_cast<std::size_t>(cells.size()))
            dates.resize(static_cast<std::size_t>(cells.size()));
        for (qsizetype column = 0; column < cells.size(); ++column) {
            const DateReading reading = readDateForm(cells[column], clock);
            const bool ours = std::ranges::find(claimed, column) != claimed.end();
            dates[static_cast<std::size_t>(column)] +=
                reading.date && (reading.full || (!ours && !isBareNumber(cells[column])));
        }
    }
    const qsizetype rows = lines.size() - 1;
    return std::ranges::any_of(dates, [rows](qsizetype count) { return 2 * count > rows; });
}

} // namespace

bool readsAsCustomerList(QStringView text, const Clock& clock) {
    const QList<QStringList> lines = firstLines(text, 1 + kSampledLines);
    return !lines.isEmpty() && namesCustomerColumns(lines.front()) && !hasDateColumn(lines, clock);
}

} // namespace tokivane
