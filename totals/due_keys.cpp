#include "due_keys.h"

namespace tokivane {

namespace {

using namespace std::chrono;

constexpr year kFirstYear{kCentury};
constexpr year kLastYear{kCentury + 99};
constexpr sys_days kFirstDay{kFirstYear / January / 1};
// Slots enough for every terms entry's closings of some years.
constexpr int kCacheBits = 14;
constexpr std::size_t kCacheSlots = std::size_t(1) << kCacheBits;
constexpr int kDayBits = 16;
static_assert(kCenturyDays < (1 << kDayBits));

quint64 tagOf(quint32 entry, int day) {
    return (quint64(entry) << kDayBits) | quint64(day);
}

std::size_t slotOf(quint64 tag) {
    constexpr quint64 kMix = 0x9E3779B97F4A7C15ULL;
    return std::size_t((tag * kMix) >> (64 - kCacheBits));
}

} // namespace

int centuryDayOf(Date date) {
    return int((sys_days{date} - kFirstDay).count());
}

Date dateOfCenturyDay(int day) {
    return Date{kFirstDay + days{day}};
}

DueKeys::DueKeys(const BatchTable& table)
    : table_(table), dated_(table.rowTerms.size(), false), cache_(kCacheSlots) {
    if (!table.basis)
        return;
    for (std::size_t entry = 0; entry < dated_.size(); ++entry) {
        dated_[entry] = entry < table.effectiveTerms.size() && !table.rowTerms[entry].anyUnread() &&
                        !(entry < table.withoutCustomer.size() && table.withoutCustomer[entry]);
    }
}

quint32 DueKeys::keyOf(const BatchRow& row) {
    if (!row.date || row.terms >= dated_.size() || !dated_[row.terms])
        return kNoDueDate;
    // A record date outside the century has no due date; dueDateOf says why.
    const Date record = *row.date;
    if (!record.ok() || record.year() < kFirstYear || record.year() > kLastYear)
        return kNoDueDate;
    const Date closing = closingDateOf(record, table_.effectiveTerms[row.terms].closing);
    const quint64 tag = tagOf(row.terms, centuryDayOf(closing));
    Slot& slot = cache_[slotOf(tag)];
    if (slot.tag != tag)
        slot = {tag, workedOut(row.terms, closing)};
    return slot.key;
}

// As dueDateOf works it out from the record's closing date.
quint32 DueKeys::workedOut(quint32 entry, Date closing) {
    const auto due = dueDateOfClosing(closing, table_.effectiveTerms[entry]);
    const DueDate* dates = std::get_if<DueDate>(&due);
    if (!dates)
        return kNoDueDate;
    const quint64 key = (quint64(entry) << (2 * kDayBits)) |
                        (quint64(centuryDayOf(dates->closing)) << kDayBits) |
                        quint64(centuryDayOf(dates->due));
    const auto [at, added] = byDates_.try_emplace(key, quint32(keys_.size()));
    if (added)
        keys_.push_back({entry, *dates});
    return at->second;
}

} // namespace tokivane
