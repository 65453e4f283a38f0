#include "customer_model.h"

#include "batch_model.h"

namespace tokivane {

void CustomerModel::setList(std::shared_ptr<const CustomerList> list) {
    beginResetModel();
    list_ = std::move(list);
    endResetModel();
}

int CustomerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !list_ ? 0 : static_cast<int>(list_->rows.size());
}

int CustomerModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kCustomerColumnCount;
}

QVariant CustomerModel::data(const QModelIndex& index, int role) const {
    // Copies ask for the whole text by the role the ledger's table answers.
    if (!list_ || !index.isValid() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != BatchModel::kWholeTextRole))
        return {};
    const QString text =
        customerCellText(list_->rows[static_cast<std::size_t>(index.row())], index.column());
    if (role == Qt::ToolTipRole && text.isEmpty())
        return {};
    return text;
}

QVariant CustomerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return customerHeaderText(section);
}

} // namespace tokivane
