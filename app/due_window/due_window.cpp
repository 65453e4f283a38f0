#include "due_window.h"

#include "batch_files.h"
#include "clipboard_table.h"
#include "complete_date.h"
#include "date_text.h"
#include "due_date.h"
#include "form_font.h"
#include "form_palette.h"
#include "full_date.h"
#include "full_date_hints.h"
#include "message_box.h"
#include "row_terms.h"
#include "schedule_cells.h"
#include "schedule_model.h"
#include "sheet_columns.h"
#include "table_commands.h"
#include "terms_editor.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>

namespace tokivane {

namespace {

constexpr QStringView kTitle = u"回収予定日 - Tokivane";
constexpr QStringView kRecordCaption = u"記録日";
constexpr QStringView kClosingDateCaption = u"請求締日";
constexpr QStringView kDueDateCaption = u"回収予定日";
constexpr QStringView kFullDateSuffix = u"（曜日・祝日・和暦）";
constexpr QStringView kMovedCaption = u"休日の移動";
constexpr QStringView kScheduleCaption = u"回収予定表";
constexpr QStringView kNotADate = u"記録日が日付ではありません（yy/mm/dd、Enter で補完します）";
constexpr QStringView kScheduleStops = u"回収予定表は %1 件で終わります：%2";
// The name the schedule is saved under, as a file and as a sheet.
constexpr QStringView kScheduleName = u"回収予定表";

QLabel* resultLabel(QWidget& parent, QStringView name, const QString& accessibleName) {
    auto* label = new QLabel(&parent);
    label->setObjectName(name.toString());
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setAccessibleName(accessibleName);
    return label;
}

void showDate(QLabel& dateLabel, QLabel& fullLabel, Date date) {
    dateLabel.setText(dateTextOf(date));
    fullLabel.setText(fullDateText(date));
}

} // namespace

DueWindow::DueWindow(const Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window), clock_(clock) {
    setObjectName(QStringLiteral("DueWindow"));
    setWindowTitle(kTitle.toString());
    setFont(formFont());
    applyFormPalette(*this);
    buildControls();
    installKeys();
    resize(860, 540);
}

void DueWindow::buildControls() {
    auto* column = new QVBoxLayout(this);
    auto* recordRow = new QHBoxLayout;
    column->addLayout(recordRow);
    auto* recordCaption = new QLabel(kRecordCaption.toString(), this);
    record_ = new QLineEdit(this);
    record_->setObjectName(QStringLiteral("recordBox"));
    record_->setAccessibleName(kRecordCaption.toString());
    record_->setInputMethodHints(Qt::ImhDate | Qt::ImhPreferNumbers | Qt::ImhPreferLatin |
                                 Qt::ImhNoPredictiveText);
    record_->setMaxLength(32);
    followFullDate(*record_);
    recordCaption->setBuddy(record_);
    recordRow->addWidget(recordCaption);
    recordRow->addWidget(record_);
    recordRow->addStretch(1);

    terms_ = new TermsEditor(this);
    column->addWidget(terms_);
    column->addWidget(buildResults());

    auto* scheduleCaption = new QLabel(kScheduleCaption.toString(), this);
    column->addWidget(scheduleCaption);
    model_ = new ScheduleModel(this);
    view_ = newResultTable(*this, u"scheduleTable", kScheduleCaption, *model_);
    view_->horizontalHeader()->setStretchLastSection(true);
    scheduleCaption->setBuddy(view_);
    column->addWidget(view_, 1);

    auto* buttons = new QHBoxLayout;
    column->addLayout(buttons);
    auto* copyAll = new QPushButton(kCopyAllCaption.toString(), this);
    copyAll->setObjectName(QStringLiteral("copyAllButton"));
    auto* save = new QPushButton(kSaveCaption.toString(), this);
    save->setObjectName(QStringLiteral("saveButton"));
    buttons->addWidget(copyAll);
    buttons->addWidget(save);
    buttons->addStretch(1);

    connect(record_, &QLineEdit::textChanged, this, &DueWindow::showResults);
    connect(record_, &QLineEdit::returnPressed, this, &DueWindow::completeRecord);
    connect(terms_, &TermsEditor::termsChanged, this, &DueWindow::showResults);
    connect(copyAll, &QPushButton::clicked, this, &DueWindow::copyAll);
    connect(save, &QPushButton::clicked, this, &DueWindow::chooseSaveFile);
}

QWidget* DueWindow::buildResults() {
    auto* results = new QWidget(this);
    auto* grid = new QGridLayout(results);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(results->fontInfo().pixelSize());
    const auto addRow = [&](int row, QStringView caption, QLabel* value, QLabel* full) {
        grid->addWidget(new QLabel(caption.toString(), results), row, 0);
        grid->addWidget(value, row, 1);
        if (full)
            grid->addWidget(full, row, 2);
    };
    const auto fullName = [](QStringView caption) {
        return caption.toString() + kFullDateSuffix.toString();
    };
    closingDate_ = resultLabel(*results, u"closingDateResult", kClosingDateCaption.toString());
    closingFull_ = resultLabel(*results, u"closingDateFull", fullName(kClosingDateCaption));
    dueDate_ = resultLabel(*results, u"dueDateResult", kDueDateCaption.toString());
    dueFull_ = resultLabel(*results, u"dueDateFull", fullName(kDueDateCaption));
    moved_ = resultLabel(*results, u"movedResult", kMovedCaption.toString());
    problem_ = resultLabel(*results, u"dueProblem", QString());
    problem_->setWordWrap(true);
    problem_->hide();
    addRow(0, kClosingDateCaption, closingDate_, closingFull_);
    addRow(1, kDueDateCaption, dueDate_, dueFull_);
    grid->addWidget(moved_, 2, 1, 1, 2);
    grid->addWidget(problem_, 3, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    return results;
}

void DueWindow::installKeys() {
    connect(windowKeys(*this, kCopyAllKeys), &QShortcut::activated, this, &DueWindow::copyAll);
    connect(windowKeys(*this, QKeySequence(Qt::Key_Escape)), &QShortcut::activated, this,
            &DueWindow::close);
}

void DueWindow::start(const QString& recordText, QStringView closingEntry) {
    const QSignalBlocker quiet(terms_);
    terms_->setTerms(startingTerms(closingEntry));
    record_->setText(recordText);
    showResults();
}

void DueWindow::completeRecord() {
    QString text = record_->text();
    CompleteDate(text, clock_);
    record_->setText(text);
}

void DueWindow::showResults() {
    const auto record = dateOfDateText(record_->text());
    if (!record) {
        showProblem(kNotADate.toString());
        return;
    }
    const CollectionTerms& terms = terms_->terms();
    const auto due = dueDateOf(*record, terms);
    if (const auto* why = std::get_if<QString>(&due)) {
        showProblem(*why);
        return;
    }
    const DueDate& result = std::get<DueDate>(due);
    showDate(*closingDate_, *closingFull_, result.closing);
    showDate(*dueDate_, *dueFull_, result.due);
    moved_->setText(movedNote(result, terms.holidays));
    CollectionSchedule schedule = scheduleOf(*record, terms);
    problem_->setText(
        schedule.stoppedBecause.isEmpty()
            ? QString()
            : kScheduleStops.toString().arg(schedule.rows.size()).arg(schedule.stoppedBecause));
    problem_->setVisible(!problem_->text().isEmpty());
    model_->setSchedule(std::move(schedule), terms.holidays);
    view_->resizeColumnsToContents();
}

// No result is shown beside a problem, so none can be read as an answer.
void DueWindow::showProblem(const QString& problem) {
    for (QLabel* label : {closingDate_, closingFull_, dueDate_, dueFull_, moved_})
        label->clear();
    problem_->setText(problem);
    problem_->show();
    model_->setSchedule({}, terms_->terms().holidays);
}

QList<QStringList> DueWindow::shownCells() const {
    return scheduleCells(model_->schedule(), model_->rule());
}

void DueWindow::copyAll() {
    copyToClipboard(clipboardTableOf(shownCells()));
}

void DueWindow::chooseSaveFile() {
    const auto choice = chooseTableSaveFile(*this, kScheduleName.toString(), false);
    if (!choice)
        return;
    if (const auto problem = writeTableFile(*choice, shownCells(), {shownSheet()}))
        showMessageBox(*this, *problem);
}

SheetTable DueWindow::shownSheet() const {
    return sheetOfCells(kScheduleName.toString(), shownCells(), {}, {});
}

} // namespace tokivane
