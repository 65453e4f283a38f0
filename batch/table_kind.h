#pragma once

#include "clock.h"

#include <QStringView>

namespace tokivane {

// Whether a pasted or dropped table is a customer list rather than a ledger:
// its header names a code column and terms columns, and no column holds
// dates (a master with 登録日 is judged as a ledger); numbers in the list's
// own columns are days, not dates.
bool readsAsCustomerList(QStringView text, const Clock& clock);

} // namespace tokivane
