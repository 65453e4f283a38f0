#pragma once

#include "calculators/form_port.h"

#include <QHash>

class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace tokivane {

// The calculators' view of the real window: boxes, list, captions and
// modal messages, all on widgets found by their objectNames.
class WidgetFormPort final : public FormPort {
  public:
    explicit WidgetFormPort(QWidget& form);

    QString boxText(DateBox box) const override;
    int listCount() const override;
    bool listSelected(int index) const override;
    QString listText(int index) const override;
    void setCaption(OutputField field, const QString& caption) override;
    void showMessage(const QString& message) override;

  private:
    QWidget& form_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QListWidget* list1_;
    QHash<OutputField, QLabel*> fields_;
};

} // namespace tokivane
