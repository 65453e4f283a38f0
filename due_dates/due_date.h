#pragma once

#include "collection_terms.h"
#include "date_text.h"

#include <QString>
#include <QStringView>
#include <variant>

namespace tokivane {

// When a record is invoiced and paid.
struct DueDate {
    // 請求締日.
    Date closing;
    // The pay day the terms name, before the holiday rule.
    Date unadjusted;
    // 回収予定日: the pay day after the holiday rule.
    Date due;

    bool moved() const { return due != unadjusted; }
    bool operator==(const DueDate&) const = default;
};

// The due date of a record under a customer's terms, or why it cannot be
// given: terms whose pay day falls before the closing date, or a date outside
// 2000 to 2099, the years whose holidays are known.
std::variant<DueDate, QString> dueDateOf(Date record, const CollectionTerms& terms);

// The same for an invoice already closed on `closing`.
std::variant<DueDate, QString> dueDateOfClosing(Date closing, const CollectionTerms& terms);

// "前営業日", "翌営業日" or "そのまま".
QStringView holidayRuleCaption(HolidayRule rule);

// Where a moved due date came from and why: "25/12/31（水）銀行休業日 → 前営業日";
// empty when it was not moved.
QString movedNote(const DueDate& due, HolidayRule rule);

} // namespace tokivane
