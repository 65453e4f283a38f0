#include "widget_form_port.h"

#include "full_date_hints.h"
#include "message_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace tokivane {

WidgetFormPort::WidgetFormPort(QWidget& form, const FormControls& controls)
    : form_(form), controls_(controls) {}

QString WidgetFormPort::boxText(DateBox box) const {
    return (box == DateBox::Text1 ? controls_.text1 : controls_.text2)->text();
}

int WidgetFormPort::listCount() const {
    return controls_.list1->count();
}

bool WidgetFormPort::listSelected(int index) const {
    return controls_.list1->item(index)->isSelected();
}

QString WidgetFormPort::listText(int index) const {
    return controls_.list1->item(index)->text();
}

void WidgetFormPort::setCaption(OutputField field, const QString& caption) {
    QLabel* label = controls_.fields.value(field);
    label->setText(caption);
    showFullDate(*label, field);
}

void WidgetFormPort::showMessage(const QString& message) {
    showMessageBox(form_, message);
}

} // namespace tokivane
