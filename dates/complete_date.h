#pragma once

#include "clock.h"

#include <QString>

namespace tokivane {

// Completes an abbreviated date typed into a date box ("", "3", "11/2",
// "24/2/30", full-width digits too) into an eight-character "yy/mm/dd" text,
// taking missing parts from today and pulling impossible month ends (04/31,
// 02/30, 02/29 of a common year...) back to the month's last day. Other
// impossible dates (month 13, day 00) are filled but left as they are.
void CompleteDate(QString& text, const Clock& clock);

// The completion of a text, for texts the program builds itself.
QString completedDate(QString text, const Clock& clock);

} // namespace tokivane
