#pragma once

#include "batch_table.h"

#include <QAbstractTableModel>

namespace tokivane {

// The judged table for the view. Cells are computed from the rows when asked,
// so a long table holds no string per cell.
class BatchModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    // What sorting compares: the line number, the date, the judgement, or
    // the text shown.
    static constexpr int kSortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    const BatchTable& table() const { return table_; }
    void setTable(BatchTable table);
    // New judgements for the same rows.
    void judge(const JudgingBasis& basis);
    void clearJudgements();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QVariant sortKey(const BatchRow& row, int column) const;
    QString rangeToolTip(int index) const;

    BatchTable table_;
};

} // namespace tokivane
