#include "fiscal_year.h"

#include "date_text.h"

namespace tokivane {

namespace {
constexpr int kFirstFiscalMonth = 12;
}

QString fiscalYearStart(const QString& dateText) {
    const int year = leadingNumber(dateText.left(2));
    const int month = leadingNumber(dateText.mid(3, 2));
    const int startYear = month < kFirstFiscalMonth ? year - 1 : year;
    return twoDigitText(startYear) + QStringLiteral("/12/01");
}

} // namespace tokivane
