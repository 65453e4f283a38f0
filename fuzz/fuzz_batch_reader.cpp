// The batch reader on any bytes: decoding, splitting into cells, choosing the
// column and reading dates must not crash, must account for every line, and
// must say why a line gave no date. Cells written as CSV read back the same.
// Judged with rows' own closing days and terms, every cell can be shown, and
// a row whose terms cell cannot be read has no due date and says why. Its
// amount column (or its last column) reads every cell exactly or says why
// not, and the totals are the exact sums of their rows, refused only when a
// figure leaves 64 bits and always when the grand total does. Read as a
// customer list, and joined to a ledger, it keeps what customer_check.h says.
#include "batch_columns.h"
#include "batch_table.h"
#include "box_dates.h"
#include "csv_file.h"
#include "customer_check.h"
#include "file_text.h"
#include "source_lines.h"
#include "totals_check.h"

#include <QByteArray>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <variant>

namespace {

using namespace std::chrono;

const tokivane::FixedClock kClock{year{2025} / November / day{15}};

void fail(const char* what, const QString& text) {
    std::fprintf(stderr, "%s\ntext: %s\n", what, qUtf8Printable(text.left(2000)));
    std::abort();
}

// Rows shown at most: enough for every kind of row a few lines make.
constexpr qsizetype kShownRows = 200;

void judgeAndShow(tokivane::BatchTable table, const QString& text) {
    const auto processing = tokivane::processingDateOf(QStringLiteral("25/11/15"));
    const tokivane::JudgingBasis basis{*processing, QStringLiteral("20日"),
                                       tokivane::judgedRangesOf(*processing, u"20日", kClock)};
    const tokivane::CollectionTerms line{tokivane::ClosingDay::onDay(25),
                                         tokivane::PayDay::daysAfter(45),
                                         tokivane::HolidayRule::NextBusinessDay};
    tokivane::judgeBatch(table, basis, line);
    fuzzing::checkTotals(table, text);
    fuzzing::checkCustomers(text, kClock, basis);
    if (table.rowTerms.size() > static_cast<std::size_t>(table.rows.size()) + 1)
        fail("more distinct terms than rows", text);
    const int columns = tokivane::batchColumnCount(table);
    for (qsizetype at = 0; at < std::min(table.rows.size(), kShownRows); ++at) {
        const tokivane::BatchRow& row = table.rows[at];
        QStringList cells;
        for (int column = 0; column < columns; ++column)
            cells.append(tokivane::batchCellText(table, row, column));
        if (row.date && table.rowTerms[row.terms].anyUnread() &&
            (tokivane::dueDateOfRow(table, row) || cells.back().isEmpty()))
            fail("an unread terms cell gave a due date or no reason", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QByteArray data(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    const auto decoded = tokivane::textOfFileBytes(data);
    if (!std::holds_alternative<QString>(decoded))
        return 0;
    const QString& text = std::get<QString>(decoded);

    const QList<tokivane::SourceLine> lines = tokivane::sourceLinesOf(text);
    const tokivane::BatchTable table = tokivane::readBatch(text, kClock);
    if (table.rows.size() + (table.headerLine ? 1 : 0) != lines.size())
        fail("a line was dropped or added", text);
    for (const tokivane::BatchRow& row : table.rows) {
        if (row.date.has_value() == (row.unread != tokivane::Unread::None))
            fail("a row has both a date and a reason, or neither", text);
        if (row.date && (row.date->year() < year{2000} || row.date->year() > year{2099}))
            fail("a date outside 2000-2099", text);
    }

    judgeAndShow(table, text);

    // Quoting is exact: what is written as CSV reads back cell for cell.
    QList<QStringList> cells;
    for (const tokivane::SourceLine& line : lines)
        cells.append(line.cells);
    const QList<tokivane::SourceLine> again = tokivane::sourceLinesOf(tokivane::csvText(cells));
    if (again.size() != cells.size())
        fail("CSV gave a different number of lines", text);
    for (qsizetype at = 0; at < again.size(); ++at) {
        if (again[at].cells != cells[at])
            fail("CSV gave different cells", text);
    }
    return 0;
}
