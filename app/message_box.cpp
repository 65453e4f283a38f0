#include "message_box.h"

#include "form1_layout.h"

#include <QMessageBox>

namespace tokivane {

void showMessageBox(QWidget& parent, const QString& message) {
    QMessageBox box(QMessageBox::NoIcon, layout::kWindowTitle.toString(), message, QMessageBox::Ok,
                    &parent);
    // A dialog is a window of its own and does not inherit the parent's colours.
    box.setPalette(parent.palette());
    box.exec();
}

} // namespace tokivane
