#include "batch_window.h"

#include "batch_columns.h"
#include "batch_files.h"
#include "batch_model.h"
#include "batch_sort.h"
#include "clipboard_table.h"
#include "customer_model.h"
#include "file_drops.h"
#include "file_text.h"
#include "form_font.h"
#include "form_palette.h"
#include "full_date.h"
#include "message_box.h"
#include "sheet_columns.h"
#include "table_commands.h"
#include "table_kind.h"
#include "terms_editor.h"
#include "totals_page.h"
#include "work_progress.h"
#include "workbook_writer.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>

namespace tokivane {

namespace {

constexpr QStringView kTitle = u"一括判定 - Tokivane";
constexpr QStringView kOpenCaption = u"ファイルを開く…";
constexpr QStringView kOpenFilter =
    u"表のファイル (*.csv *.tsv *.txt *.xlsx *.xlsm);;テキスト・CSV (*.csv *.tsv *.txt);;"
    u"Excel ブック (*.xlsx *.xlsm);;すべてのファイル (*)";
constexpr QStringView kCustomerOpenCaption = u"得意先一覧…";
constexpr QStringView kLedgerTab = u"判定結果";
constexpr QStringView kCustomerTab = u"得意先一覧";
constexpr QStringView kTotalsTab = u"集計";
constexpr QStringView kMonthCountingCaption = u"回収月の数え方";
// In the order of MonthCounting.
constexpr std::array<QStringView, 2> kMonthCountings{u"0＝当月", u"1＝当月"};
constexpr QStringView kNoCustomerList =
    u"得意先一覧を開いていません（得意先一覧…で開くか、ファイルをドロップしてください）";
constexpr QStringView kFromCustomers = u"（得意先コードのある行は得意先一覧の条件で計算）";
constexpr QStringView kEmptyHeading =
    u"記録日の列を貼り付ける（Ctrl+V）か、ファイルを開いてください";
constexpr QStringView kReadingCaption = u"読み込んでいます…";
// The names files and sheets are saved under.
constexpr QStringView kLedgerSheet = u"一括判定";
constexpr QStringView kCustomerSheet = u"得意先一覧";
// The judged columns of dates, written as dates even where a row has none.
const QStringList kResultDateHeaders{QStringLiteral("請求締日"), QStringLiteral("回収予定日")};
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
    if (joinsCustomers(table))
        heading += kFromCustomers;
    return heading;
}

// Every line of a text, or nothing when cancelled.
std::optional<BatchTable> readInParts(QString text, const Clock& clock, WorkControl& control,
                                      const QString& listCodeHeader) {
    BatchReader reader(std::move(text), clock, listCodeHeader);
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
    acceptBatchFileDrops(*this, [this](const QStringList& paths) { openFiles(paths); });
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

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("batchTabs"));
    tabs_->addTab(buildLedgerPage(), kLedgerTab.toString());
    tabs_->addTab(buildCustomerPage(), kCustomerTab.toString());
    totals_ = new TotalsPage(this);
    tabs_->addTab(totals_, kTotalsTab.toString());
    connect(totals_, &TotalsPage::amountColumnChosen, this,
            [this](std::optional<qsizetype> column) {
                // The table being read or sorted must not change under the worker.
                if (busy_) {
                    totals_->showAmountColumn(model_->table().amountColumn);
                    return;
                }
                model_->setAmountColumn(column);
                totals_->tableChanged();
            });
    column->addWidget(tabs_, 1);

    auto* buttons = new QHBoxLayout;
    column->addLayout(buttons);
    connect(addButton(*buttons, *this, u"openButton", kOpenCaption), &QPushButton::clicked, this,
            &BatchWindow::chooseFile);
    connect(addButton(*buttons, *this, u"customerOpenButton", kCustomerOpenCaption),
            &QPushButton::clicked, this, &BatchWindow::chooseCustomerFile);
    connect(addButton(*buttons, *this, u"copyAllButton", kCopyAllCaption), &QPushButton::clicked,
            this, &BatchWindow::copyAll);
    connect(addButton(*buttons, *this, u"saveButton", kSaveCaption), &QPushButton::clicked, this,
            &BatchWindow::chooseSaveFile);
    buttons->addStretch(1);
}

QWidget* BatchWindow::buildLedgerPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("ledgerPage"));
    auto* column = new QVBoxLayout(page);
    model_ = new BatchModel(this);
    view_ = newResultTable(*page, u"batchTable", kTitle, *model_);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QHeaderView* header = view_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(0, Qt::AscendingOrder);
    connect(header, &QHeaderView::sortIndicatorChanged, this, &BatchWindow::sortBy);
    column->addWidget(view_, 1);

    status_ = new QLabel(page);
    status_->setObjectName(QStringLiteral("batchStatus"));
    status_->setTextFormat(Qt::PlainText);
    column->addWidget(status_);
    return page;
}

// The list as read, so that a wrong reading is seen before it is used.
QWidget* BatchWindow::buildCustomerPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("customerPage"));
    auto* column = new QVBoxLayout(page);
    auto* counting = new QHBoxLayout;
    auto* caption = new QLabel(kMonthCountingCaption.toString(), page);
    monthCounting_ = new QComboBox(page);
    monthCounting_->setObjectName(QStringLiteral("monthCountingBox"));
    monthCounting_->setAccessibleName(kMonthCountingCaption.toString());
    for (const QStringView entry : kMonthCountings)
        monthCounting_->addItem(entry.toString());
    caption->setBuddy(monthCounting_);
    counting->addWidget(caption);
    counting->addWidget(monthCounting_);
    counting->addStretch(1);
    column->addLayout(counting);
    connect(monthCounting_, &QComboBox::currentIndexChanged, this, &BatchWindow::readListAgain);

    customerModel_ = new CustomerModel(this);
    customerView_ = newResultTable(*page, u"customerTable", kCustomerTab, *customerModel_);
    customerView_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    column->addWidget(customerView_, 1);

    customerStatus_ = new QLabel(kNoCustomerList.toString(), page);
    customerStatus_->setObjectName(QStringLiteral("customerStatus"));
    customerStatus_->setTextFormat(Qt::PlainText);
    column->addWidget(customerStatus_);
    return page;
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
    if (readsAsCustomerList(text, clock_))
        takeCustomerList(text, true, false);
    else
        openLedgerText(text, false);
}

void BatchWindow::openFile(const QString& path) {
    openFiles({path});
}

// The files are read and decoded on the worker: 200 MB take a while.
void BatchWindow::openFiles(const QStringList& paths) {
    QStringList problems;
    const auto tables = readTableFiles(*this, paths, runner(), problems);
    if (!problems.isEmpty())
        showMessage(problems.join(u'\n'));
    if (!tables)
        return;
    std::optional<TableText> listTable;
    std::optional<TableText> ledgerTable;
    for (const TableText& table : *tables)
        (readsAsCustomerList(table.text, clock_) ? listTable : ledgerTable) = table;
    // A ledger that follows is read with the list's code header anyway.
    if (listTable)
        takeCustomerList(std::move(listTable->text), !ledgerTable, listTable->fromWorkbook);
    if (ledgerTable)
        openLedgerText(std::move(ledgerTable->text), ledgerTable->fromWorkbook);
}

void BatchWindow::openCustomerFile(const QString& path) {
    QStringList problems;
    const auto tables = readTableFiles(*this, {path}, runner(), problems);
    if (!problems.isEmpty())
        showMessage(problems.join(u'\n'));
    if (tables && !tables->isEmpty())
        takeCustomerList(std::move(tables->front().text), true, tables->front().fromWorkbook);
}

RunWork BatchWindow::runner() {
    return [this](const std::function<void(WorkControl&)>& work) {
        return runWork(kReadingCaption, work);
    };
}

void BatchWindow::openLedgerText(QString text, bool fromWorkbook) {
    std::optional<BatchTable> read;
    const QString codeHeader = listCodeHeader();
    const bool done = runWork(kReadingCaption, [&](WorkControl& control) {
        read = readInParts(std::move(text), clock_, control, codeHeader);
    });
    if (done && read) {
        ledgerFromWorkbook_ = fromWorkbook;
        showTable(std::move(*read));
    }
}

void BatchWindow::takeCustomerList(QString text, bool rereadLedger, bool fromWorkbook) {
    std::variant<CustomerList, QString> read;
    const MonthCounting counting = monthCounting();
    if (!runWork(kReadingCaption, [&](WorkControl&) { read = readCustomerList(text, counting); }))
        return;
    if (const auto* problem = std::get_if<QString>(&read)) {
        showMessage(*problem);
        return;
    }
    // The same list read again keeps the widths its columns were given.
    const bool newList = !customers_ || text != listText_;
    listText_ = std::move(text);
    listFromWorkbook_ = fromWorkbook;
    customers_ = std::make_shared<const CustomerList>(std::move(std::get<CustomerList>(read)));
    customerModel_->setList(customers_);
    if (newList)
        customerView_->resizeColumnsToContents();
    showCustomerCounts();
    if (rereadLedger)
        readLedgerForListCodes();
    judge(false);
}

// The way months are counted must not be lost to other work under way: the
// list is read again once that is done.
void BatchWindow::readListAgain() {
    if (busy_)
        readListWhenIdle_ = true;
    else if (customers_)
        takeCustomerList(listText_, false, listFromWorkbook_);
}

void BatchWindow::readLedgerForListCodes() {
    const BatchTable& table = model_->table();
    if (table.codeColumn || !table.headerLine ||
        !codeColumnOf(table.inputHeaders, listCodeHeader()))
        return;
    openLedgerText(table.source, ledgerFromWorkbook_);
}

QString BatchWindow::listCodeHeader() const {
    return customers_ ? customers_->codeHeader : QString();
}

MonthCounting BatchWindow::monthCounting() const {
    return monthCounting_->currentIndex() == 1 ? MonthCounting::OneIsThisMonth
                                               : MonthCounting::ZeroIsThisMonth;
}

bool BatchWindow::runWork(QStringView label, const std::function<void(WorkControl&)>& work) {
    if (busy_)
        return false;
    busy_ = true;
    const bool done = runWithProgress(this, label.toString(), work);
    busy_ = false;
    if (readListWhenIdle_) {
        readListWhenIdle_ = false;
        judgeWhenIdle_ = false;
        readListAgain();
    }
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
    totals_->setTable(model_->table());
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
    const int columns = model_->columnCount();
    const auto basis = basis_();
    if (const auto* problem = std::get_if<QString>(&basis)) {
        model_->clearJudgements();
        heading_->setText(QStringLiteral("判定していません：%1").arg(*problem));
        if (reportProblem)
            showMessage(*problem);
    } else {
        const auto& judging = std::get<JudgingBasis>(basis);
        followClosingEntry(judging.closingEntry);
        model_->judge(judging, terms_->terms(), customers_);
        heading_->setText(headingOf(model_->table()));
    }
    // The customer list's names came or went: the columns moved under the
    // sort, which starts again from the source order.
    if (columns != model_->columnCount()) {
        view_->resizeColumnsToContents();
        model_->setOrder(sortedRows(model_->table(), 0, Qt::AscendingOrder));
        const QSignalBlocker quiet(view_->horizontalHeader());
        view_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
        sortColumn_ = 0;
        sortOrder_ = Qt::AscendingOrder;
    }
    // An order by judgements or due dates follows the new ones.
    const ColumnKind sorted = batchColumnAt(model_->table(), sortColumn_).kind;
    if (sorted == ColumnKind::Judgement || sorted == ColumnKind::ClosingDate ||
        sorted == ColumnKind::DueDate)
        model_->setOrder(sortedRows(model_->table(), sortColumn_, sortOrder_));
    showCounts();
    totals_->tableChanged();
}

void BatchWindow::showCounts() {
    const BatchCounts counts = countsOf(model_->table());
    QString text = QStringLiteral("%1 行・日付 %2 行・読めなかった行 %3 行")
                       .arg(counts.rows)
                       .arg(counts.dates)
                       .arg(counts.unread);
    if (joinsCustomers(model_->table()))
        text += QStringLiteral("・得意先の条件がない行 %1 行").arg(counts.withoutCustomer);
    status_->setText(text);
}

void BatchWindow::showCustomerCounts() {
    if (!customers_) {
        customerStatus_->setText(kNoCustomerList.toString());
        return;
    }
    customerStatus_->setText(QStringLiteral("得意先 %1 件・条件を読めなかった行 %2 行")
                                 .arg(customers_->customerCount())
                                 .arg(customers_->unreadCount()));
}

QList<QStringList> BatchWindow::shownCells() const {
    const QList<qsizetype> order(model_->order().begin(), model_->order().end());
    return batchCells(model_->table(), order);
}

QList<QStringList> BatchWindow::customerCells() const {
    return customers_ ? customerListCells(*customers_) : QList<QStringList>();
}

QList<QStringList> BatchWindow::currentCells() const {
    if (tabs_->currentWidget() == totals_)
        return totals_->cells();
    return currentView() == customerView_ ? customerCells() : shownCells();
}

QTableView* BatchWindow::currentView() const {
    if (tabs_->currentWidget() == totals_)
        return totals_->focusedView();
    return tabs_->currentWidget() == customerView_->parentWidget() ? customerView_ : view_;
}

void BatchWindow::copySelection() {
    const QModelIndexList selected = currentView()->selectionModel()->selectedIndexes();
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
    copyToClipboard(clipboardTableOf(currentCells()));
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

void BatchWindow::chooseCustomerFile() {
    const QString path = QFileDialog::getOpenFileName(this, kCustomerOpenCaption.toString(), {},
                                                      kOpenFilter.toString());
    if (!path.isEmpty())
        openCustomerFile(path);
}

void BatchWindow::chooseSaveFile() {
    if (tabs_->currentWidget() == customerView_->parentWidget() && !customers_) {
        showMessage(kNoCustomerList.toString());
        return;
    }
    const bool customers = currentView() == customerView_;
    const auto choice =
        chooseTableSaveFile(*this, customers ? kCustomerSheet.toString() : kLedgerSheet.toString(),
                            customers ? listFromWorkbook_ : ledgerFromWorkbook_);
    if (!choice)
        return;
    if (const auto problem = writeTableFile(*choice, currentCells(), currentSheets()))
        showMessage(*problem);
}

std::optional<QString> BatchWindow::saveCsv(const QString& path, CsvEncoding encoding) const {
    return writeCsvFile(path, csvText(currentCells()), encoding);
}

std::optional<QString> BatchWindow::saveWorkbook(const QString& path) const {
    return writeWorkbookFile(path, currentSheets());
}

QList<SheetTable> BatchWindow::currentSheets() const {
    if (tabs_->currentWidget() == totals_)
        return totals_->sheets();
    if (currentView() == customerView_)
        return {sheetOfCells(kCustomerSheet.toString(), customerCells(), {}, {})};
    const BatchTable& table = model_->table();
    QStringList amounts;
    if (table.amountColumn)
        amounts.append(table.inputHeaders.value(*table.amountColumn));
    return {sheetOfCells(kLedgerSheet.toString(), shownCells(), kResultDateHeaders, amounts)};
}

void BatchWindow::showMessage(const QString& message) {
    showMessageBox(*this, message);
}

} // namespace tokivane
