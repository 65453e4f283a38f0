#include "batch_model.h"

#include "batch_columns.h"

#include <chrono>

namespace tokivane {

void BatchModel::setTable(BatchTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

void BatchModel::judge(const JudgingBasis& basis) {
    judgeBatch(table_, basis);
    // Only the judgement cells and their headers change.
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void BatchModel::clearJudgements() {
    tokivane::clearJudgements(table_);
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int BatchModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int BatchModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : batchColumnCount(table_);
}

QVariant BatchModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const BatchRow& row = table_.rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return batchCellText(table_, row, index.column());
    case kSortRole:
        return sortKey(row, index.column());
    case Qt::TextAlignmentRole: {
        const ColumnKind kind = batchColumnAt(table_, index.column()).kind;
        if (kind == ColumnKind::Judgement)
            return int(Qt::AlignCenter);
        if (kind == ColumnKind::Line)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    default:
        return {};
    }
}

QVariant BatchModel::sortKey(const BatchRow& row, int column) const {
    const BatchColumn at = batchColumnAt(table_, column);
    switch (at.kind) {
    case ColumnKind::Line:
        return qlonglong(row.line);
    case ColumnKind::RecordDate:
    case ColumnKind::FullDate:
        // Rows without a date after all dates.
        return row.date ? qlonglong(std::chrono::sys_days{*row.date}.time_since_epoch().count())
                        : std::numeric_limits<qlonglong>::max();
    default:
        return batchCellText(table_, row, column);
    }
}

QString BatchModel::rangeToolTip(int index) const {
    if (!table_.basis)
        return QStringLiteral("判定していません");
    const NamedRange& range = table_.basis->ranges[static_cast<std::size_t>(index)];
    const QString dates = range.start == range.end ? range.start : range.start + u'～' + range.end;
    return QStringLiteral("%1：%2（Yes %3 行）")
        .arg(range.caption.toString(), dates)
        .arg(yesCount(table_, index));
}

QVariant BatchModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return batchHeaderText(table_, section);
    if (role == Qt::ToolTipRole) {
        const BatchColumn at = batchColumnAt(table_, section);
        if (at.kind == ColumnKind::Judgement)
            return rangeToolTip(at.index);
    }
    return {};
}

} // namespace tokivane
