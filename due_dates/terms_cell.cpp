#include "terms_cell.h"

#include <algorithm>

namespace tokivane {

namespace {

constexpr QStringView kDaysAfter = u"日後";

// Digits alone, half- or full-width, perhaps followed by 日.
bool isDayCount(QStringView value) {
    if (value.endsWith(u'日'))
        value.chop(1);
    return !value.isEmpty() && std::ranges::all_of(value, [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９');
    });
}

} // namespace

QString termsPhraseOfCell(QStringView value, bool termsAreDays) {
    const QStringView trimmed = value.trimmed();
    if (termsAreDays && isDayCount(trimmed))
        return (trimmed.endsWith(u'日') ? trimmed.chopped(1) : trimmed)
            .toString()
            .append(kDaysAfter);
    return value.toString();
}

} // namespace tokivane
