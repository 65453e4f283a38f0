#include "full_date_hints.h"

#include "date_text.h"
#include "form1_layout.h"
#include "full_date.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <optional>

namespace tokivane {

namespace {

std::optional<QString> fullDateOfText(QStringView text) {
    const auto date = dateOfDateText(text);
    if (!date)
        return std::nullopt;
    return fullDateText(*date);
}

QStringView rowAndColumnOf(OutputField which) {
    const auto field = std::ranges::find(layout::kOutputFields, which, &layout::FieldSpec::field);
    return field != layout::kOutputFields.end() ? field->description : QStringView();
}

void showOnBox(QLineEdit& box) {
    const QString full = fullDateOfText(box.text()).value_or(QString());
    box.setToolTip(full);
    box.setAccessibleDescription(full);
}

} // namespace

void showFullDate(QLabel& field, OutputField which) {
    const QString rowAndColumn = rowAndColumnOf(which).toString();
    const auto full = fullDateOfText(field.text());
    field.setToolTip(full.value_or(QString()));
    field.setAccessibleDescription(full ? rowAndColumn + u' ' + *full : rowAndColumn);
}

void followFullDate(QLineEdit& box) {
    QObject::connect(&box, &QLineEdit::textChanged, &box, [&box] { showOnBox(box); });
    showOnBox(box);
}

} // namespace tokivane
