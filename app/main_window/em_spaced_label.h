#pragma once

#include <QLabel>

namespace tokivane {

// A wrapped plain-text caption whose lines sit one em apart instead of at the
// font's line spacing, so that a box drawn for lines of exactly that height
// holds all of them. Its text stays the caption as given.
class EmSpacedLabel final : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tokivane
