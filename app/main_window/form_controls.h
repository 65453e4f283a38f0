#pragma once

#include "output_fields.h"

#include <QHash>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tokivane {

// The controls the window builds and works with, kept as it builds them so
// that nothing has to be looked up by name afterwards.
struct FormControls {
    QListWidget* list1 = nullptr;
    QLineEdit* text1 = nullptr;
    QLineEdit* text2 = nullptr;
    QPushButton* command1 = nullptr;
    QPushButton* command4 = nullptr;
    QLabel* hint = nullptr;
    QHash<OutputField, QLabel*> fields;
};

} // namespace tokivane
