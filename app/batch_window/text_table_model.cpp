#include "text_table_model.h"

#include "batch_model.h"

namespace tokivane {

void TextTableModel::setCells(QList<QStringList> cells, QList<int> figureColumns) {
    beginResetModel();
    cells_ = std::move(cells);
    figureColumns_ = std::move(figureColumns);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || cells_.isEmpty() ? 0 : static_cast<int>(cells_.size() - 1);
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || cells_.isEmpty() ? 0 : static_cast<int>(cells_.front().size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case BatchModel::kWholeTextRole:
        return cells_.value(index.row() + 1).value(index.column());
    case Qt::TextAlignmentRole:
        if (figureColumns_.contains(index.column()))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || cells_.isEmpty())
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return cells_.front().value(section);
}

} // namespace tokivane
