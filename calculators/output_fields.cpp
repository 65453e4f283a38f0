#include "output_fields.h"

namespace tokivane {

QString fieldName(OutputField field) {
    return QStringLiteral("Label") + QString::number(static_cast<int>(field));
}

} // namespace tokivane
