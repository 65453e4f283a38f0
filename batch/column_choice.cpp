#include "column_choice.h"

#include "date_forms.h"

#include <algorithm>
#include <vector>

namespace tokivane {

namespace {

struct ColumnVotes {
    qsizetype dates = 0;
    qsizetype fullDates = 0;
};

} // namespace

ColumnChoice chooseColumn(const QList<SourceLine>& lines, const Clock& clock) {
    // The first line votes only when it is the only one; it may be a header.
    const qsizetype from = lines.size() > 1 ? 1 : 0;
    const qsizetype to = std::min(lines.size(), from + kSampledLines);
    qsizetype voters = 0;
    std::vector<ColumnVotes> votes;
    for (qsizetype at = from; at < to; ++at) {
        const SourceLine& line = lines[at];
        if (line.isEmpty())
            continue;
        ++voters;
        if (votes.size() < static_cast<std::size_t>(line.cells.size()))
            votes.resize(static_cast<std::size_t>(line.cells.size()));
        for (qsizetype column = 0; column < line.cells.size(); ++column) {
            const DateReading reading = readDateForm(line.cells[column], clock);
            ColumnVotes& vote = votes[static_cast<std::size_t>(column)];
            vote.dates += reading.date ? 1 : 0;
            vote.fullDates += reading.date && reading.full ? 1 : 0;
        }
    }
    const auto firstWithMost = [&](qsizetype ColumnVotes::*count) -> std::optional<qsizetype> {
        const auto found = std::ranges::find_if(
            votes, [&](const ColumnVotes& vote) { return 2 * (vote.*count) > voters; });
        if (found == votes.end())
            return std::nullopt;
        return found - votes.begin();
    };
    const auto column = firstWithMost(&ColumnVotes::fullDates);
    const auto chosen = column ? column : firstWithMost(&ColumnVotes::dates);
    if (!chosen)
        return {};
    const SourceLine& first = lines.front();
    const bool header =
        from == 1 && !first.isEmpty() &&
        !(*chosen < first.cells.size() && readDateForm(first.cells[*chosen], clock).date);
    return {*chosen, header};
}

} // namespace tokivane
