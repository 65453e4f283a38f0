#pragma once

#include "customer_list.h"

#include <QAbstractTableModel>
#include <memory>

namespace tokivane {

// The customer list as read, for the 得意先一覧 view.
class CustomerModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setList(std::shared_ptr<const CustomerList> list);
    const std::shared_ptr<const CustomerList>& list() const { return list_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::shared_ptr<const CustomerList> list_;
};

} // namespace tokivane
