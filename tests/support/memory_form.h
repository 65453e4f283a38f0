#pragma once

#include "calculators/form_port.h"

#include <QMap>
#include <QStringList>
#include <array>

namespace tokivane {

// The window held in memory: two boxes, the closing-day list and the 32
// captions, recording every message shown. Starts as the window does after
// opening, with "20日" selected and empty captions.
class MemoryForm final : public FormPort {
  public:
    MemoryForm();
    MemoryForm(const QString& processingDate, const QString& recordDate, int selectedEntry);

    QString boxText(DateBox box) const override;
    int listCount() const override;
    bool listSelected(int index) const override;
    QString listText(int index) const override;
    void setCaption(OutputField field, const QString& caption) override;
    void showMessage(const QString& message) override;

    void setBox(DateBox box, const QString& text);
    // -1 selects nothing.
    void select(int index);

    QString caption(OutputField field) const { return captions_[index(field)]; }
    QMap<OutputField, QString> captions() const;
    const QStringList& messages() const { return messages_; }
    int captionWrites() const { return captionWrites_; }

  private:
    QString text1_;
    QString text2_;
    QStringList entries_;
    int selected_;
    // Indexed by the field's number, so setting a caption costs no lookup.
    static std::size_t index(OutputField field) { return static_cast<std::size_t>(field); }
    std::array<QString, static_cast<std::size_t>(Label64) + 1> captions_;
    QStringList messages_;
    int captionWrites_ = 0;
};

} // namespace tokivane
