#pragma once

#include "batch_table.h"

#include <QAbstractTableModel>
#include <vector>

namespace tokivane {

// The judged table for the view. Cells are computed from the rows when asked,
// so a long table holds no string per cell; the rows are shown in an order of
// their own, so sorting moves only row numbers.
class BatchModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    // A cell's whole text, where the view shows a long one cut short.
    static constexpr int kWholeTextRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    const BatchTable& table() const { return table_; }
    // New rows, shown in source order.
    void setTable(BatchTable table);
    // New judgements for the same rows; another customer list may bring or
    // take away the 得意先名 column.
    void judge(const JudgingBasis& basis, const CollectionTerms& line,
               std::shared_ptr<const CustomerList> customers);
    void clearJudgements();
    // Another amount column, whose cells 備考 speaks of.
    void setAmountColumn(std::optional<qsizetype> column);

    // The table's rows in the order shown.
    const std::vector<int>& order() const { return order_; }
    void setOrder(std::vector<int> order);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QString rangeToolTip(int index) const;
    void judgementsChanged(bool reshaped);

    BatchTable table_;
    std::vector<int> order_;
};

} // namespace tokivane
