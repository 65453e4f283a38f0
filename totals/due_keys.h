#pragma once

#include "batch_table.h"
#include "closing.h"
#include "due_date.h"

#include <QtGlobal>
#include <unordered_map>
#include <vector>

namespace tokivane {

// Due dates fall in 2000 to 2099, whose days are counted from 1 January 2000.
inline constexpr int kCenturyDays = 36525;
int centuryDayOf(Date date);
Date dateOfCenturyDay(int day);

// Rows whose terms are the same entry of BatchTable::rowTerms and that close
// on the same date: the same invoice's dates, whatever their record dates.
struct DueKey {
    quint32 entry = 0;
    DueDate due;
};

// Each row's 請求締日 and 回収予定日 as dueDateOfRow gives them, as an index of
// the few distinct keys a ledger has: a row's terms entry and closing date
// are looked up in a small cache, and only a pair not met lately has its due
// date worked out again.
class DueKeys {
  public:
    static constexpr quint32 kNoDueDate = 0xFFFFFFFF;

    explicit DueKeys(const BatchTable& table);

    // The row's key, or kNoDueDate for a row dueDateOfRow gives none or a
    // reason.
    quint32 keyOf(const BatchRow& row);
    const std::vector<DueKey>& keys() const { return keys_; }

  private:
    struct Slot {
        quint64 tag = ~0ULL;
        quint32 key = kNoDueDate;
    };

    quint32 workedOut(quint32 entry, Date closing);

    const BatchTable& table_;
    // Entries whose rows may have due dates: judged, read and with a customer.
    std::vector<bool> dated_;
    std::vector<Slot> cache_;
    std::unordered_map<quint64, quint32> byDates_;
    std::vector<DueKey> keys_;
};

} // namespace tokivane
