#include "terms_editor.h"

#include "due_date.h"
#include "terms_phrase.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

namespace tokivane {

namespace {

constexpr QStringView kClosingCaption = u"締日";
constexpr QStringView kPayCaption = u"回収";
constexpr QStringView kPayDayName = u"回収日";
constexpr QStringView kDaysAfterName = u"回収日数";
constexpr QStringView kHolidayCaption = u"休日";
constexpr QStringView kPhraseCaption = u"支払条件";
constexpr QStringView kMonthEndPay = u"末日";
constexpr QStringView kDaysAfterEntry = u"日数";
constexpr QStringView kDaysAfterSuffix = u"日後";
constexpr std::array<QStringView, kMaxMonthsAfter + 1> kMonthEntries{
    u"当月", u"翌月", u"翌々月", u"3か月後", u"4か月後", u"5か月後", u"6か月後",
};
constexpr int kDefaultDaysAfter = 30;

// The pay-day list: 1日 to 30日, then 末日.
constexpr int kMonthEndPayIndex = kLastPayDay;
// The month list: the months, then 日数 for a number of days.
constexpr int kDaysAfterIndex = kMaxMonthsAfter + 1;

QString dayEntry(int day) {
    return QString::number(day) + u'日';
}

QComboBox* comboOf(QWidget& parent, QStringView name, const QStringList& entries) {
    auto* combo = new QComboBox(&parent);
    combo->setObjectName(name.toString());
    combo->addItems(entries);
    // Twelve rows show a year of days without a long scroll.
    combo->setMaxVisibleItems(12);
    return combo;
}

QStringList dayEntries(int last, QStringView after) {
    QStringList entries;
    for (int day = 1; day <= last; ++day)
        entries.append(dayEntry(day));
    entries.append(after.toString());
    return entries;
}

QStringList closingEntries() {
    QStringList entries;
    for (int index = 0; index < kClosingDayCount; ++index)
        entries.append(closingDayCaption(closingDayAt(index)));
    return entries;
}

} // namespace

TermsEditor::TermsEditor(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("termsEditor"));
    terms_.pay = PayDay::monthAndDay(1, kMonthEndPayDay);
    buildControls();
    showTerms();
}

void TermsEditor::buildControls() {
    closing_ = comboOf(*this, u"closingBox", closingEntries());
    QStringList months;
    for (const QStringView entry : kMonthEntries)
        months.append(entry.toString());
    months.append(kDaysAfterEntry.toString());
    payMonth_ = comboOf(*this, u"payMonthBox", months);
    payDay_ = comboOf(*this, u"payDayBox", dayEntries(kLastPayDay, kMonthEndPay));
    payDay_->setAccessibleName(kPayDayName.toString());
    daysAfter_ = new QSpinBox(this);
    daysAfter_->setObjectName(QStringLiteral("daysAfterBox"));
    daysAfter_->setAccessibleName(kDaysAfterName.toString());
    daysAfter_->setRange(1, kMaxDaysAfter);
    daysAfter_->setSuffix(kDaysAfterSuffix.toString());
    holidays_ = comboOf(*this, u"holidayBox", {});
    for (const auto rule :
         {HolidayRule::PreviousBusinessDay, HolidayRule::NextBusinessDay, HolidayRule::Unchanged})
        holidays_->addItem(holidayRuleCaption(rule).toString());
    phrase_ = new QLineEdit(this);
    phrase_->setObjectName(QStringLiteral("phraseBox"));
    phraseProblem_ = new QLabel(this);
    phraseProblem_->setObjectName(QStringLiteral("phraseProblem"));
    phraseProblem_->setTextFormat(Qt::PlainText);
    phraseProblem_->setWordWrap(true);
    phraseProblem_->hide();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    addCaption(*grid, 0, 0, kClosingCaption, *closing_);
    addCaption(*grid, 0, 2, kPayCaption, *payMonth_);
    grid->addWidget(payDay_, 0, 4);
    grid->addWidget(daysAfter_, 0, 5);
    addCaption(*grid, 0, 6, kHolidayCaption, *holidays_);
    grid->setColumnStretch(8, 1);
    addCaption(*grid, 1, 0, kPhraseCaption, *phrase_);
    grid->addWidget(phrase_, 1, 1, 1, 8);
    grid->addWidget(phraseProblem_, 2, 1, 1, 8);

    for (QComboBox* combo : {closing_, payMonth_, payDay_, holidays_})
        connect(combo, &QComboBox::currentIndexChanged, this, &TermsEditor::readControls);
    connect(daysAfter_, &QSpinBox::valueChanged, this, &TermsEditor::readControls);
    connect(phrase_, &QLineEdit::textEdited, this, &TermsEditor::readPhrase);
}

QLabel* TermsEditor::addCaption(QGridLayout& grid, int row, int column, QStringView caption,
                                QWidget& control) {
    auto* label = new QLabel(caption.toString(), this);
    label->setBuddy(&control);
    control.setAccessibleName(caption.toString());
    grid.addWidget(label, row, column);
    grid.addWidget(&control, row, column + 1);
    return label;
}

void TermsEditor::setTerms(const CollectionTerms& terms) {
    terms_ = terms;
    showTerms();
    emit termsChanged();
}

void TermsEditor::showTerms() {
    showControls();
    phrase_->setText(termsPhraseOf(terms_));
}

// The controls from terms_, without reading them back.
void TermsEditor::showControls() {
    const QSignalBlocker quietClosing(closing_);
    const QSignalBlocker quietMonth(payMonth_);
    const QSignalBlocker quietDay(payDay_);
    const QSignalBlocker quietDays(daysAfter_);
    const QSignalBlocker quietHolidays(holidays_);
    closing_->setCurrentIndex(closingDayIndex(terms_.closing));
    const PayDay& pay = terms_.pay;
    const bool daysAfter = pay.kind == PayDay::Kind::DaysAfter;
    payMonth_->setCurrentIndex(daysAfter ? kDaysAfterIndex : pay.months);
    payDay_->setCurrentIndex(pay.day == kMonthEndPayDay ? kMonthEndPayIndex : pay.day - 1);
    daysAfter_->setValue(daysAfter ? pay.days : kDefaultDaysAfter);
    payDay_->setVisible(!daysAfter);
    daysAfter_->setVisible(daysAfter);
    holidays_->setCurrentIndex(static_cast<int>(terms_.holidays));
    phraseProblem_->clear();
    phraseProblem_->hide();
}

void TermsEditor::readControls() {
    terms_.closing = closingDayAt(closing_->currentIndex());
    const int month = payMonth_->currentIndex();
    if (month == kDaysAfterIndex) {
        terms_.pay = PayDay::daysAfter(daysAfter_->value());
    } else {
        const int day = payDay_->currentIndex();
        terms_.pay =
            PayDay::monthAndDay(month, day == kMonthEndPayIndex ? kMonthEndPayDay : day + 1);
    }
    terms_.holidays = static_cast<HolidayRule>(holidays_->currentIndex());
    showTerms();
    emit termsChanged();
}

// The phrase stays as typed; only the controls follow it.
void TermsEditor::readPhrase(const QString& text) {
    if (text.trimmed().isEmpty()) {
        phraseProblem_->clear();
        phraseProblem_->hide();
        return;
    }
    const auto reading = readTermsPhrase(text);
    if (const auto* error = std::get_if<TermsPhraseError>(&reading)) {
        phraseProblem_->setText(error->message);
        phraseProblem_->show();
        return;
    }
    terms_ = termsOver(std::get<TermsPhrase>(reading), terms_);
    showControls();
    emit termsChanged();
}

} // namespace tokivane
