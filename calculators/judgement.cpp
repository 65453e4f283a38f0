#include "judgement.h"

#include "date_text.h"

namespace tokivane {

QString judgement(const QString& startDate, const QString& recordDate, const QString& endDate) {
    const QString record = comparisonKey(recordDate);
    const bool inside = comparisonKey(startDate) <= record && record <= comparisonKey(endDate);
    return (inside ? kYes : kNo).toString();
}

} // namespace tokivane
