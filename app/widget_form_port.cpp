#include "app/widget_form_port.h"

#include "app/form1_layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>

namespace tokivane {

namespace {

template <typename Widget> Widget* child(QWidget& form, const QString& name) {
    auto* widget = form.findChild<Widget*>(name);
    Q_ASSERT_X(widget, "WidgetFormPort", qPrintable(name));
    return widget;
}

} // namespace

WidgetFormPort::WidgetFormPort(QWidget& form)
    : form_(form), text1_(child<QLineEdit>(form, QStringLiteral("Text1"))),
      text2_(child<QLineEdit>(form, QStringLiteral("Text2"))),
      list1_(child<QListWidget>(form, QStringLiteral("List1"))) {
    for (const OutputField field : kAllOutputFields)
        fields_.insert(field, child<QLabel>(form, fieldName(field)));
}

QString WidgetFormPort::boxText(DateBox box) const {
    return (box == DateBox::Text1 ? text1_ : text2_)->text();
}

int WidgetFormPort::listCount() const {
    return list1_->count();
}

bool WidgetFormPort::listSelected(int index) const {
    return list1_->item(index)->isSelected();
}

QString WidgetFormPort::listText(int index) const {
    return list1_->item(index)->text();
}

void WidgetFormPort::setCaption(OutputField field, const QString& caption) {
    fields_.value(field)->setText(caption);
}

void WidgetFormPort::showMessage(const QString& message) {
    QMessageBox box(QMessageBox::NoIcon, layout::kWindowTitle.toString(), message, QMessageBox::Ok,
                    &form_);
    box.exec();
}

} // namespace tokivane
