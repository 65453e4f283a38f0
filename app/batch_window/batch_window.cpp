#include "batch_window.h"

#include "batch_columns.h"
#include "batch_files.h"
#include "batch_model.h"
#include "batch_sort.h"
#include "clipboard_table.h"
#include "file_drops.h"
#include "file_text.h"
#include "form_font.h"
#include "form_palette.h"
#include "full_date.h"
#include "message_box.h"
#include "table_commands.h"
#include "terms_editor.h"
#include "work_progress.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <algorithm>

namespace tokivane {

namespace {

constexpr QStringView kTitle = u"一括判定 - Tokivane";
constexpr QStringView kOpenCaption = u"ファイルを開く…";
constexpr QStringView kOpenFilter = u"テキスト・CSV (*.csv *.tsv *.txt);;すべてのファイル (*)";
constexpr QStringView kEmptyHeading =
    u"記録日の列を貼り付ける（Ctrl+V）か、ファイルを開いてください";
constexpr QStringView kReadingCaption = u"読み込んでいます…";
constexpr QStringView kSortingCaption = u"並べ替えています…";
constexpr QStringView kTermsLineCaption = u"回収条件";
constexpr QStringView kClosingFromRows = u"（締日が書かれた行はその締日で判定）";
// Lines read between two looks at the cancel button.
constexpr qsizetype kLinesPerPart = 50'000;

QPushButton* addButton(QBoxLayout& row, QWidget& parent, QStringView name, QStringView caption) {
    auto* button = new QPushButton(caption.toString(), &parent);
    button->setObjectName(name.toString());
    row.addWidget(button);
    return button;
}

QString headingOf(const BatchTable& table) {
    const JudgingBasis& basis = *table.basis;
    QString heading = QStringLiteral("処理日 %1（%2）・締め日 %3 の範囲で判定しています")
                          .arg(basis.processing.text, fullDateText(basis.processing.date),
                               closingDayCaption(table.lineTerms.closing));
    if (closingDaysFromRows(table))
        heading += kClosingFromRows;
    return heading;
}

// Every line of a text, or nothing when cancelled.
std::optional<BatchTable> readInParts(QString text, const Clock& clock, WorkControl& control) {
    BatchReader reader(std::move(text), clock);
    while (!reader.atEnd()) {
        if (control.cancelled)
            return std::nullopt;
        reader.readMore(kLinesPerPart);
        control.done = static_cast<int>(reader.progress() * kWorkSteps);
    }
    return std::move(reader).take();
}

} // namespace

BatchWindow::BatchWindow(const Clock& clock, BasisSource basis, QWidget* parent)
    : QWidget(parent, Qt::Window), clock_(clock), basis_(std::move(basis)) {
    setObjectName(QStringLiteral("BatchWindow"));
    setWindowTitle(kTitle.toString());
    setFont(formFont());
    applyFormPalette(*this);
    buildControls();
    installKeys();
    acceptBatchFileDrops(*this, [this](const QString& path) { openFile(path); });
    resize(1240, 480);
    showCounts();
}

BatchWindow::~BatchWindow() = default;

void BatchWindow::buildControls() {
    auto* column = new QVBoxLayout(this);
    heading_ = new QLabel(kEmptyHeading.toString(), this);
    heading_->setObjectName(QStringLiteral("batchHeading"));
    heading_->setTextFormat(Qt::PlainText);
    column->addWidget(buildTermsLine());
    column->addWidget(heading_);

    model_ = new BatchModel(this);
    view_ = newResultTable(*this, u"batchTable", kTitle, *model_);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QHeaderView* header = view_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(0, Qt::AscendingOrder);
    connect(header, &QHeaderView::sortIndicatorChanged, this, &BatchWindow::sortBy);
    column->addWidget(view_, 1);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("batchStatus"));
    status_->setTextFormat(Qt::PlainText);
    column->addWidget(status_);

    auto* buttons = new QHBoxLayout;
    column->addLayout(buttons);
    connect(addButton(*buttons, *this, u"openButton", kOpenCaption), &QPushButton::clicked, this,
            &BatchWindow::chooseFile);
    connect(addButton(*buttons, *this, u"copyAllButton", kCopyAllCaption), &QPushButton::clicked,
            this, &BatchWindow::copyAll);
    connect(addButton(*buttons, *this, u"saveButton", kSaveCsvCaption), &QPushButton::clicked, this,
            &BatchWindow::chooseSaveFile);
    buttons->addStretch(1);
}

// Terms for rows that name none of their own; changing them judges again.
QWidget* BatchWindow::buildTermsLine() {
    auto* line = new QWidget(this);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(kTermsLineCaption.toString(), line);
    terms_ = new TermsEditor(line);
    terms_->setAccessibleName(kTermsLineCaption.toString());
    row->addWidget(caption, 0, Qt::AlignTop);
    row->addWidget(terms_, 1);
    connect(terms_, &TermsEditor::termsChanged, this, &BatchWindow::judgeAgain);
    return line;
}

void BatchWindow::followClosingEntry(const QString& entry) {
    if (entry == followedEntry_)
        return;
    followedEntry_ = entry;
    CollectionTerms terms = terms_->terms();
    terms.closing = closingDayOfEntry(entry);
    const QSignalBlocker quiet(terms_);
    terms_->setTerms(terms);
}

// Window-wide, so they work whichever control has focus; the table's own
// single-cell copy gives way to the whole selection.
void BatchWindow::installKeys() {
    const auto bind = [this](const QKeySequence& keys, auto action) {
        connect(windowKeys(*this, keys), &QShortcut::activated, this, action);
    };
    bind(QKeySequence::Copy, &BatchWindow::copySelection);
    bind(kCopyAllKeys, &BatchWindow::copyAll);
    bind(QKeySequence::Paste, &BatchWindow::pasteLines);
    bind(QKeySequence(Qt::Key_Escape), &BatchWindow::close);
}

void BatchWindow::openText(const QString& text) {
    std::optional<BatchTable> read;
    const bool done = runWork(
        kReadingCaption, [&](WorkControl& control) { read = readInParts(text, clock_, control); });
    if (done && read)
        showTable(std::move(*read));
}

// The file is read and decoded on the worker too: 200 MB take a while.
void BatchWindow::openFile(const QString& path) {
    std::optional<QString> unreadReason;
    std::optional<BatchTable> read;
    const bool done = runWork(kReadingCaption, [&](WorkControl& control) {
        auto text = readTextFile(path);
        if (const auto* unread = std::get_if<UnreadFile>(&text))
            unreadReason = unread->reason;
        else
            read = readInParts(std::move(std::get<QString>(text)), clock_, control);
    });
    if (unreadReason)
        showMessage(*unreadReason);
    else if (done && read)
        showTable(std::move(*read));
}

bool BatchWindow::runWork(QStringView label, const std::function<void(WorkControl&)>& work) {
    if (busy_)
        return false;
    busy_ = true;
    const bool done = runWithProgress(this, label.toString(), work);
    busy_ = false;
    if (judgeWhenIdle_) {
        judgeWhenIdle_ = false;
        judge(false);
    }
    return done;
}

void BatchWindow::showTable(BatchTable table) {
    model_->setTable(std::move(table));
    const QSignalBlocker quiet(view_->horizontalHeader());
    view_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    sortColumn_ = 0;
    sortOrder_ = Qt::AscendingOrder;
    view_->resizeColumnsToContents();
    judge(true);
}

void BatchWindow::judgeAgain() {
    // The table being read or sorted must not change under the worker.
    if (busy_)
        judgeWhenIdle_ = true;
    else
        judge(false);
}

// A whole selection would be carried row by row through the new order.
void BatchWindow::sortBy(int column, Qt::SortOrder order) {
    view_->clearSelection();
    std::vector<int> rows;
    const bool done = runWork(
        kSortingCaption, [&](WorkControl&) { rows = sortedRows(model_->table(), column, order); });
    if (!done || rows.size() != model_->order().size()) {
        const QSignalBlocker quiet(view_->horizontalHeader());
        view_->horizontalHeader()->setSortIndicator(sortColumn_, sortOrder_);
        return;
    }
    sortColumn_ = column;
    sortOrder_ = order;
    model_->setOrder(std::move(rows));
}

void BatchWindow::judge(bool reportProblem) {
    const auto basis = basis_();
    if (const auto* problem = std::get_if<QString>(&basis)) {
        model_->clearJudgements();
        heading_->setText(QStringLiteral("判定していません：%1").arg(*problem));
        if (reportProblem)
            showMessage(*problem);
    } else {
        const auto& judging = std::get<JudgingBasis>(basis);
        followClosingEntry(judging.closingEntry);
        model_->judge(judging, terms_->terms());
        heading_->setText(headingOf(model_->table()));
    }
    // An order by judgements or due dates follows the new ones.
    const ColumnKind sorted = batchColumnAt(model_->table(), sortColumn_).kind;
    if (sorted == ColumnKind::Judgement || sorted == ColumnKind::ClosingDate ||
        sorted == ColumnKind::DueDate)
        model_->setOrder(sortedRows(model_->table(), sortColumn_, sortOrder_));
    showCounts();
}

void BatchWindow::showCounts() {
    const BatchCounts counts = countsOf(model_->table());
    status_->setText(QStringLiteral("%1 行・日付 %2 行・読めなかった行 %3 行")
                         .arg(counts.rows)
                         .arg(counts.dates)
                         .arg(counts.unread));
}

QList<QStringList> BatchWindow::shownCells() const {
    const QList<qsizetype> order(model_->order().begin(), model_->order().end());
    return batchCells(model_->table(), order);
}

void BatchWindow::copySelection() {
    const QModelIndexList selected = view_->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    const auto [top, bottom] =
        std::ranges::minmax(selected, {}, [](const QModelIndex& index) { return index.row(); });
    const auto [left, right] =
        std::ranges::minmax(selected, {}, [](const QModelIndex& index) { return index.column(); });
    QList<QStringList> lines(bottom.row() - top.row() + 1,
                             QStringList(right.column() - left.column() + 1));
    for (const QModelIndex& index : selected)
        lines[index.row() - top.row()][index.column() - left.column()] =
            index.data(BatchModel::kWholeTextRole).toString();
    copyToClipboard(clipboardTableOf(lines));
}

void BatchWindow::copyAll() {
    copyToClipboard(clipboardTableOf(shownCells()));
}

void BatchWindow::pasteLines() {
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        openText(text);
}

void BatchWindow::chooseFile() {
    const QString path =
        QFileDialog::getOpenFileName(this, kOpenCaption.toString(), {}, kOpenFilter.toString());
    if (!path.isEmpty())
        openFile(path);
}

void BatchWindow::chooseSaveFile() {
    const auto choice = chooseCsvSaveFile(*this, QStringLiteral("一括判定.csv"));
    if (!choice)
        return;
    if (const auto problem = saveCsv(choice->path, choice->encoding))
        showMessage(*problem);
}

std::optional<QString> BatchWindow::saveCsv(const QString& path, CsvEncoding encoding) const {
    return writeCsvFile(path, csvText(shownCells()), encoding);
}

void BatchWindow::showMessage(const QString& message) {
    showMessageBox(*this, message);
}

} // namespace tokivane
