#include "calculators/box_dates.h"

namespace tokivane {

std::optional<ProcessingDate> readProcessingDate(const FormPort& form) {
    const QString typed = form.boxText(DateBox::Text1);
    const auto date = dateOfDateText(typed);
    if (!date)
        return std::nullopt;
    return ProcessingDate{typed, dateTextOf(*date), *date};
}

QString readRecordDate(const FormPort& form) {
    const QString typed = form.boxText(DateBox::Text2);
    return canonicalDateText(typed).value_or(typed);
}

} // namespace tokivane
