#include "schedule_model.h"

#include "full_date.h"
#include "schedule_cells.h"

namespace tokivane {

namespace {

// The columns whose cell is one date, which the tooltip gives in full.
std::optional<Date> dateInColumn(const ScheduleRow& row, int column) {
    if (column == ClosingColumn)
        return row.due.closing;
    if (column == DueColumn)
        return row.due.due;
    return std::nullopt;
}

} // namespace

void ScheduleModel::setSchedule(CollectionSchedule schedule, HolidayRule rule) {
    beginResetModel();
    schedule_ = std::move(schedule);
    rule_ = rule;
    endResetModel();
}

int ScheduleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(schedule_.rows.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kScheduleHeaders.size());
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ScheduleRow& row = schedule_.rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return scheduleCellText(row, index.column(), rule_);
    if (role == Qt::ToolTipRole) {
        const auto date = dateInColumn(row, index.column());
        return date ? fullDateText(*date) : QVariant();
    }
    return {};
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return kScheduleHeaders[static_cast<std::size_t>(section)].toString();
}

} // namespace tokivane
