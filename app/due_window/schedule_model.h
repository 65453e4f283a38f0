#pragma once

#include "collection_schedule.h"

#include <QAbstractTableModel>

namespace tokivane {

// 回収予定表 for the view: one row a closing, cells as they are copied.
class ScheduleModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setSchedule(CollectionSchedule schedule, HolidayRule rule);
    const CollectionSchedule& schedule() const { return schedule_; }
    HolidayRule rule() const { return rule_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    CollectionSchedule schedule_;
    HolidayRule rule_ = HolidayRule::PreviousBusinessDay;
};

} // namespace tokivane
