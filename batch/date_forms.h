#pragma once

#include "clock.h"
#include "date_text.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace tokivane {

// Why a cell gave no date.
enum class Unread : quint8 {
    None,
    EmptyLine,
    NotADate,
    ImpossibleDate,
    OutsideYears,
    OutsideEra,
};

// A few words for the 備考 column; empty for a date that was read.
QString unreadNote(Unread why);

struct DateReading {
    std::optional<Date> date;
    Unread unread = Unread::None;
    // Written with a year (or era year), not completed from today; a column of
    // such dates is a surer date column than one of bare numbers.
    bool full = false;
};

// Reads a cell as a date. Abbreviations ("25/11/20", "11/20", "20") are
// completed as Enter in the record date box completes them, today filling
// what is missing; full forms ("2025/11/20", "2025-11-20", "2025.11.20",
// "20251120", "2025年11月20日", a time after them ignored) and era forms
// ("R7.11.20", "令和7年11月20日", "令和元年5月1日", "H31.4.30", "S64.1.7")
// are read strictly. Full-width digits and separators, surrounding blanks and
// quotes are allowed. Dates outside their era, or else outside 2000-2099, are
// refused.
DateReading readDateForm(QStringView cell, const Clock& clock);

} // namespace tokivane
