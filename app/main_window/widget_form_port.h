#pragma once

#include "form_controls.h"
#include "form_port.h"

class QWidget;

namespace tokivane {

// The calculators' view of the real window: boxes, list, captions and modal
// messages, on the controls the window built.
class WidgetFormPort final : public FormPort {
  public:
    // Messages are modal to `form`.
    WidgetFormPort(QWidget& form, const FormControls& controls);

    QString boxText(DateBox box) const override;
    int listCount() const override;
    bool listSelected(int index) const override;
    QString listText(int index) const override;
    void setCaption(OutputField field, const QString& caption) override;
    void showMessage(const QString& message) override;

  private:
    QWidget& form_;
    const FormControls& controls_;
};

} // namespace tokivane
