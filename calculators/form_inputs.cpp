#include "form_inputs.h"

#include "messages.h"

#include <utility>

namespace tokivane {

std::optional<ProcessingDate> readProcessingDate(const FormPort& form) {
    return processingDateOf(form.boxText(DateBox::Text1));
}

std::optional<QString> firstSelectedEntry(const FormPort& form) {
    const int count = form.listCount();
    for (int index = 0; index < count; ++index) {
        if (form.listSelected(index))
            return form.listText(index);
    }
    return std::nullopt;
}

std::optional<ClosingInputs> readClosingInputs(FormPort& form) {
    auto processing = readProcessingDate(form);
    if (!processing)
        return std::nullopt;
    auto entry = firstSelectedEntry(form);
    if (!entry) {
        form.showMessage(messages::kSelectClosingDay.toString());
        return std::nullopt;
    }
    return ClosingInputs{std::move(*processing), std::move(*entry)};
}

} // namespace tokivane
