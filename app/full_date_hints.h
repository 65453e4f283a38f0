#pragma once

#include "output_fields.h"

class QLabel;
class QLineEdit;

namespace tokivane {

// A field or box that shows a real date has that date in full, with weekday
// and era, as its tooltip and in its accessible description; without a real
// date it has no tooltip.

// Brings a field's tooltip and description up to date with its text. The
// description keeps the field's row and column first.
void showFullDate(QLabel& field, OutputField which);

// Keeps a date box's tooltip and description, which is the full date alone,
// on its text through every change.
void followFullDate(QLineEdit& box);

} // namespace tokivane
