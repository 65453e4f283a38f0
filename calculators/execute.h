#pragma once

#include "clock.h"
#include "form_port.h"

namespace tokivane {

// The Execute button: checks the inputs in a fixed order, reports the first
// problem in one message and computes nothing then; otherwise runs the four
// calculators in order.
void Execute(FormPort& form, const Clock& clock);

} // namespace tokivane
