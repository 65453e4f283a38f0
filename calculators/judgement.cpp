#include "calculators/judgement.h"

#include "dates/date_text.h"

namespace tokivane {

QString judgement(const QString& startDate, const QString& recordDate, const QString& endDate) {
    const bool inside =
        compareKeys(startDate, recordDate) <= 0 && compareKeys(recordDate, endDate) <= 0;
    return (inside ? kYes : kNo).toString();
}

} // namespace tokivane
