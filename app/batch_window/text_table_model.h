#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace tokivane {

// A small table of texts, its first line the header: what 集計's tables
// show. Columns of figures are right-aligned.
class TextTableModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setCells(QList<QStringList> cells, QList<int> figureColumns);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QList<QStringList> cells_;
    QList<int> figureColumns_;
};

} // namespace tokivane
