#include "batch_sort.h"

#include "batch_columns.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <numeric>

namespace tokivane {

namespace {

template <typename Key>
std::vector<int> sortedBy(const std::vector<Key>& keys, Qt::SortOrder order) {
    std::vector<int> rows(keys.size());
    std::iota(rows.begin(), rows.end(), 0);
    const auto& k = keys;
    if (order == Qt::AscendingOrder)
        std::ranges::stable_sort(rows, [&k](int a, int b) { return k[a] < k[b]; });
    else
        std::ranges::stable_sort(rows, [&k](int a, int b) { return k[b] < k[a]; });
    return rows;
}

constexpr qint64 kNoDate = std::numeric_limits<qint64>::max();

qint64 dayKey(std::optional<Date> date) {
    return date ? std::chrono::sys_days{*date}.time_since_epoch().count() : kNoDate;
}

qint64 dueKey(const BatchTable& table, const BatchRow& row, ColumnKind kind) {
    const auto due = dueDateOfRow(table, row);
    if (!due || !std::holds_alternative<DueDate>(*due))
        return kNoDate;
    const DueDate& dates = std::get<DueDate>(*due);
    return dayKey(kind == ColumnKind::ClosingDate ? dates.closing : dates.due);
}

qint64 numberKey(const BatchTable& table, const BatchRow& row, ColumnKind kind, int index) {
    switch (kind) {
    case ColumnKind::Line:
        return row.line;
    case ColumnKind::RecordDate:
    case ColumnKind::FullDate:
        return dayKey(row.date);
    case ColumnKind::ClosingDate:
    case ColumnKind::DueDate:
        return dueKey(table, row, kind);
    default: // a judgement: "", "No", "Yes"
        if (!judgementShown(table, row, index))
            return 0;
        return ((row.yes >> index) & 1U) ? 2 : 1;
    }
}

} // namespace

std::vector<int> sortedRows(const BatchTable& table, int column, Qt::SortOrder order) {
    const BatchColumn at = batchColumnAt(table, column);
    if (at.kind == ColumnKind::Input || at.kind == ColumnKind::CustomerName ||
        at.kind == ColumnKind::Note) {
        std::vector<QString> keys;
        keys.reserve(static_cast<std::size_t>(table.rows.size()));
        for (const BatchRow& row : table.rows)
            keys.push_back(batchCellText(table, row, column));
        return sortedBy(keys, order);
    }
    std::vector<qint64> keys;
    keys.reserve(static_cast<std::size_t>(table.rows.size()));
    for (const BatchRow& row : table.rows)
        keys.push_back(numberKey(table, row, at.kind, at.index));
    return sortedBy(keys, order);
}

} // namespace tokivane
