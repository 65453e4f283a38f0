#include "box_dates.h"

namespace tokivane {

std::optional<ProcessingDate> processingDateOf(const QString& typed) {
    const auto date = dateOfDateText(typed);
    if (!date)
        return std::nullopt;
    return ProcessingDate{typed, dateTextOf(*date), *date};
}

QString recordDateText(const QString& typed) {
    return canonicalDateText(typed).value_or(typed);
}

} // namespace tokivane
