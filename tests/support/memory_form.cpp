#include "support/memory_form.h"

#include "calculators/closing_day.h"

namespace tokivane {

MemoryForm::MemoryForm() : selected_(kDefaultClosingDayIndex) {
    for (const QStringView entry : kClosingDayEntries)
        entries_.append(entry.toString());
}

MemoryForm::MemoryForm(const QString& processingDate, const QString& recordDate, int selectedEntry)
    : MemoryForm() {
    text1_ = processingDate;
    text2_ = recordDate;
    selected_ = selectedEntry;
}

QString MemoryForm::boxText(DateBox box) const {
    return box == DateBox::Text1 ? text1_ : text2_;
}

int MemoryForm::listCount() const {
    return static_cast<int>(entries_.size());
}

bool MemoryForm::listSelected(int index) const {
    return index == selected_;
}

QString MemoryForm::listText(int index) const {
    return entries_.at(index);
}

void MemoryForm::setCaption(OutputField field, const QString& caption) {
    captions_[index(field)] = caption;
    ++captionWrites_;
}

QMap<OutputField, QString> MemoryForm::captions() const {
    QMap<OutputField, QString> all;
    for (const OutputField field : kAllOutputFields)
        all.insert(field, caption(field));
    return all;
}

void MemoryForm::showMessage(const QString& message) {
    messages_.append(message);
}

void MemoryForm::setBox(DateBox box, const QString& text) {
    (box == DateBox::Text1 ? text1_ : text2_) = text;
}

void MemoryForm::select(int index) {
    selected_ = index;
}

} // namespace tokivane
