#pragma once

#include "date_text.h"

#include <QString>

namespace tokivane {

// A date written out in full with its weekday and Japanese era, as business
// documents write it: 2025-11-20 gives "2025年11月20日（木）令和7年". A national
// holiday is named after the weekday: "2025年11月24日（月）振替休日 令和7年".
// Years 2000 to 2099, as date texts give them; the first year of an era is 元年.
QString fullDateText(Date date);

// The weekday as one character: 月, 火, 水, 木, 金, 土 or 日.
QChar weekdayCharacter(Date date);

} // namespace tokivane
