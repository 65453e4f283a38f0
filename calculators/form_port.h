#pragma once

#include "output_fields.h"

#include <QString>

namespace tokivane {

enum class DateBox { Text1, Text2 };

// What Execute and the calculators may do with the window: read a date box,
// read the closing-day list, set a caption, show a message. The window
// implements it with widgets; tests use an in-memory stand-in.
class FormPort {
  public:
    virtual ~FormPort() = default;

    virtual QString boxText(DateBox box) const = 0;

    virtual int listCount() const = 0;
    virtual bool listSelected(int index) const = 0;
    virtual QString listText(int index) const = 0;

    virtual void setCaption(OutputField field, const QString& caption) = 0;

    // A modal message with an OK button only; returns once it is closed.
    virtual void showMessage(const QString& message) = 0;
};

} // namespace tokivane
