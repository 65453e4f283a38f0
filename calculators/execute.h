#pragma once

#include "clock.h"
#include "form_port.h"

#include <QStringView>
#include <optional>

namespace tokivane {

// The message for the first input that stops the calculation, if any; the
// same checks guard every other use of the window's inputs.
std::optional<QStringView> inputProblem(const FormPort& form);

// The Execute button: checks the inputs in a fixed order, reports the first
// problem in one message and computes nothing then; otherwise runs the four
// calculators in order.
void Execute(FormPort& form, const Clock& clock);

} // namespace tokivane
