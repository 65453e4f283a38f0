#pragma once

#include "collection_terms.h"

#include <QWidget>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace tokivane {

// A customer's terms as controls (締日, 回収, 休日) and as the phrase people
// write (支払条件): typing a phrase sets the controls, and changing a control
// writes the phrase anew. A phrase that cannot be read says why beneath it
// and changes nothing.
class TermsEditor final : public QWidget {
    Q_OBJECT

  public:
    explicit TermsEditor(QWidget* parent = nullptr);

    const CollectionTerms& terms() const { return terms_; }
    void setTerms(const CollectionTerms& terms);

  signals:
    void termsChanged();

  private:
    void buildControls();
    QLabel* addCaption(QGridLayout& grid, int row, int column, QStringView caption,
                       QWidget& control);
    // The controls and the phrase from terms_.
    void showTerms();
    void showControls();
    void readControls();
    void readPhrase(const QString& text);

    CollectionTerms terms_;
    QComboBox* closing_ = nullptr;
    QComboBox* payMonth_ = nullptr;
    QComboBox* payDay_ = nullptr;
    QSpinBox* daysAfter_ = nullptr;
    QComboBox* holidays_ = nullptr;
    QLineEdit* phrase_ = nullptr;
    QLabel* phraseProblem_ = nullptr;
};

} // namespace tokivane
