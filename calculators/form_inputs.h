#pragma once

#include "box_dates.h"
#include "form_port.h"

#include <QString>
#include <optional>

namespace tokivane {

// The processing date box, when it holds a real date.
std::optional<ProcessingDate> readProcessingDate(const FormPort& form);

// The text of the first selected entry of the closing-day list.
std::optional<QString> firstSelectedEntry(const FormPort& form);

// What the billing and payment calculators read before they compute.
struct ClosingInputs {
    ProcessingDate processing;
    QString entry;
};

// Nothing when the processing date is no real date (Execute has reported
// that already) or when no closing day is selected; the latter shows
// "締め日を選択してください".
std::optional<ClosingInputs> readClosingInputs(FormPort& form);

} // namespace tokivane
