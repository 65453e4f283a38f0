#pragma once

#include "date_text.h"

#include <QString>
#include <optional>

namespace tokivane {

// The national holiday a date of the years 2000 to 2099 is, by the holiday
// law and its amendments: its name ("元日", "振替休日", "休日" for a day between
// two holidays), or none for a day that is no holiday. The equinox days are
// the ones the usual formula predicts; the official ones are announced a year
// ahead. Dates outside those years have none.
std::optional<QString> holidayName(Date date);

} // namespace tokivane
