#pragma once

#include "amount.h"

#include <QString>

namespace tokivane {

// On screen, with thousands separators: "1,234", "-1,234", "1,234.50".
QString amountShown(Amount amount);

// In copies and CSV files, digits alone after a leading minus: "-1234",
// "1234.50". Reading it gives the same amount back.
QString amountPlain(Amount amount);

} // namespace tokivane
