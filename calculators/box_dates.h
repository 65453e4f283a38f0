#pragma once

#include "date_text.h"

#include <QString>
#include <optional>

namespace tokivane {

// The processing date as the calculators use it. Positions are always cut
// from `text`, the canonical date text, so 26/1/5 typed without Enter still
// means 26/01/05; `typed` is what the box shows, for the fields that echo it.
struct ProcessingDate {
    QString typed;
    QString text;
    Date date;
};

// No value when the text names no real date; Execute reports that before
// any calculator runs.
std::optional<ProcessingDate> processingDateOf(const QString& typed);

// The record date's canonical text, or the text as it stands when it names
// no date, so its key still compares as the raw text.
QString recordDateText(const QString& typed);

} // namespace tokivane
