#include "table_kind.h"

#include "column_choice.h"
#include "customer_list.h"
#include "date_forms.h"
#include "source_lines.h"

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

bool hasFullDateColumn(const QList<QStringList>& lines, const Clock& clock) {
    std::vector<qsizetype> fullDates;
    for (qsizetype at = 1; at < lines.size(); ++at) {
        const QStringList& cells = lines[at];
        if (fullDates.size() < static_cast<std::size_t>(cells.size()))
            fullDates.resize(static_cast<std::size_t>(cells.size()));
        for (qsizetype column = 0; column < cells.size(); ++column) {
            const DateReading reading = readDateForm(cells[column], clock);
            fullDates[static_cast<std::size_t>(column)] += reading.date && reading.full ? 1 : 0;
        }
    }
    const qsizetype rows = lines.size() - 1;
    return std::ranges::any_of(fullDates, [rows](qsizetype count) { return 2 * count > rows; });
}

} // namespace

bool readsAsCustomerList(QStringView text, const Clock& clock) {
    const QList<QStringList> lines = firstLines(text, 1 + kSampledLines);
    return !lines.isEmpty() && namesCustomerColumns(lines.front()) &&
           !hasFullDateColumn(lines, clock);
}

} // namespace tokivane
