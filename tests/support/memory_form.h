#pragma once

#include "closing_day.h"
#include "form_port.h"

#include <QMap>
#include <QStringList>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace tokivane {

// The window held in memory: two boxes, the closing-day list and the 32
// captions, recording every message shown. Starts as the window does after
// opening, with "20日" selected and empty captions.
class MemoryForm final : public FormPort {
  public:
    MemoryForm() {
        for (const QStringView entry : kClosingDayEntries)
            entries_.append(entry.toString());
    }
    // -1 selects nothing.
    MemoryForm(const QString& processingDate, const QString& recordDate, int selectedEntry)
        : MemoryForm() {
        text1_ = processingDate;
        text2_ = recordDate;
        selected_ = selectedEntry;
    }

    QString boxText(DateBox box) const override { return box == DateBox::Text1 ? text1_ : text2_; }
    int listCount() const override { return static_cast<int>(entries_.size()); }
    bool listSelected(int index) const override { return index == selected_; }
    QString listText(int index) const override { return entries_.at(index); }
    void setCaption(OutputField field, const QString& caption) override {
        captions_[index(field)] = caption;
        ++captionWrites_;
    }
    void showMessage(const QString& message) override { messages_.append(message); }

    void setBox(DateBox box, const QString& text) {
        (box == DateBox::Text1 ? text1_ : text2_) = text;
    }
    void select(int index) { selected_ = index; }

    QString caption(OutputField field) const { return captions_[index(field)]; }
    QMap<OutputField, QString> captions() const {
        QMap<OutputField, QString> all;
        for (const OutputField field : kAllOutputFields)
            all.insert(field, caption(field));
        return all;
    }
    const QStringList& messages() const { return messages_; }
    int captionWrites() const { return captionWrites_; }

  private:
    QString text1_;
    QString text2_;
    QStringList entries_;
    int selected_ = kDefaultClosingDayIndex;
    // Indexed by the field's number, so setting a caption costs no lookup.
    static std::size_t index(OutputField field) { return static_cast<std::size_t>(field); }
    std::array<QString, static_cast<std::size_t>(Label64) + 1> captions_;
    QStringList messages_;
    int captionWrites_ = 0;
};

// The list index of a closing-day entry.
inline int closingDayIndex(QStringView entry) {
    return static_cast<int>(std::ranges::find(kClosingDayEntries, entry) -
                            kClosingDayEntries.begin());
}

// All 32 captions empty except the given ones, as a fresh window shows
// them after one calculator has run.
inline QMap<OutputField, QString>
onlyCaptions(std::initializer_list<std::pair<OutputField, QString>> shown) {
    QMap<OutputField, QString> all;
    for (const OutputField field : kAllOutputFields)
        all.insert(field, QString());
    for (const auto& [field, caption] : shown)
        all.insert(field, caption);
    return all;
}

} // namespace tokivane
