#include "totals_page.h"

#include "sheet_columns.h"

#include "amount_chart.h"
#include "message_box.h"
#include "table_commands.h"
#include "text_table_model.h"
#include "totals_cells.h"
#include "totals_chart.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>

namespace tokivane {

namespace {

constexpr QStringView kTargetCaption = u"対象";
constexpr QStringView kAmountCaption = u"金額";
constexpr QStringView kNoAmountColumn = u"なし";
constexpr QStringView kSaveChartCaption = u"画像で保存…";
constexpr QStringView kChartName = u"回収予定日別のグラフ";
constexpr QStringView kPngFilter = u"PNG 画像 (*.png)";
constexpr QStringView kNoBars = u"グラフにする金額がありません";
// The columns of figures in each table, right-aligned.
const QList<int> kDueFigures{2, 3, 4};
const QList<int> kInvoiceFigures{3, 4};
const QList<int> kMonthFigures{1, 2};

QComboBox* addChoice(QBoxLayout& row, QWidget& parent, QStringView name, QStringView caption) {
    auto* label = new QLabel(caption.toString(), &parent);
    auto* box = new QComboBox(&parent);
    box->setObjectName(name.toString());
    box->setAccessibleName(caption.toString());
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label->setBuddy(box);
    row.addWidget(label);
    row.addWidget(box);
    return box;
}

// Why the chart has no bars, in the words of the line under the tables.
QString emptyChartText(const LedgerTotals& totals) {
    if (totals.refusal)
        return *totals.refusal;
    return kNoBars.toString() + u'（' + totalsNote(totals) + u'）';
}

} // namespace

TotalsPage::TotalsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("totalsPage"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(buildChoices());

    auto* sides = new QSplitter(Qt::Horizontal, this);
    auto* left = new QSplitter(Qt::Vertical, sides);
    dueView_ = addTable(*left, u"dueTotalsTable", totalsTitle(TotalsTable::ByDue), dueModel_);
    chart_ = new AmountChart(left);
    chart_->setObjectName(QStringLiteral("totalsChart"));
    chart_->setAccessibleName(kChartName.toString());
    auto* right = new QSplitter(Qt::Vertical, sides);
    invoiceView_ =
        addTable(*right, u"invoiceTotalsTable", totalsTitle(TotalsTable::Invoices), invoiceModel_);
    monthView_ =
        addTable(*right, u"monthTotalsTable", totalsTitle(TotalsTable::Months), monthModel_);
    column->addWidget(sides, 1);

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("totalsStatus"));
    note_->setTextFormat(Qt::PlainText);
    note_->setWordWrap(true);
    column->addWidget(note_);
}

QWidget* TotalsPage::buildChoices() {
    auto* line = new QWidget(this);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    target_ = addChoice(*row, *line, u"targetBox", kTargetCaption);
    target_->addItem(targetCaption(Target::allRows()));
    for (int index = 0; index < kJudgedRangeCount; ++index)
        target_->addItem(targetCaption(Target::judgedYes(index)));
    connect(target_, &QComboBox::currentIndexChanged, this, [this] {
        stale_ = true;
        refresh();
    });
    amountColumn_ = addChoice(*row, *line, u"amountBox", kAmountCaption);
    connect(amountColumn_, &QComboBox::activated, this, &TotalsPage::chooseAmountColumn);
    row->addStretch(1);
    auto* save = new QPushButton(kSaveChartCaption.toString(), line);
    save->setObjectName(QStringLiteral("saveChartButton"));
    connect(save, &QPushButton::clicked, this, &TotalsPage::saveChart);
    row->addWidget(save);
    return line;
}

QTableView* TotalsPage::addTable(QWidget& parent, QStringView name, QStringView title,
                                 TextTableModel*& model) {
    auto* holder = new QWidget(&parent);
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(title.toString(), holder);
    column->addWidget(caption);
    model = new TextTableModel(this);
    QTableView* view = newResultTable(*holder, name, title, *model);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    caption->setBuddy(view);
    column->addWidget(view, 1);
    return view;
}

void TotalsPage::setTable(const BatchTable& table) {
    table_ = &table;
    const QSignalBlocker quiet(amountColumn_);
    amountColumn_->clear();
    amountColumn_->addItem(kNoAmountColumn.toString());
    for (const QString& header : table.inputHeaders)
        amountColumn_->addItem(header);
    showAmountColumn(table.amountColumn);
    amountsStale_ = true;
    tableChanged();
}

void TotalsPage::showAmountColumn(std::optional<qsizetype> column) {
    const QSignalBlocker quiet(amountColumn_);
    amountColumn_->setCurrentIndex(column ? int(*column) + 1 : 0);
}

void TotalsPage::tableChanged() {
    stale_ = true;
    refresh();
}

void TotalsPage::chooseAmountColumn(int index) {
    amountsStale_ = true;
    emit amountColumnChosen(index > 0 ? std::optional<qsizetype>(index - 1) : std::nullopt);
}

void TotalsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

// Only a page someone looks at is worked out; cells() works it out when asked.
void TotalsPage::refresh() {
    if (isVisible())
        showTotals();
}

void TotalsPage::showTotals() {
    if (!table_ || !stale_)
        return;
    if (amountsStale_) {
        amounts_ = RowAmounts(*table_, table_->amountColumn);
        amountsStale_ = false;
    }
    const int target = target_->currentIndex();
    totals_ =
        totalsOf(*table_, amounts_, target > 0 ? Target::judgedYes(target - 1) : Target::allRows());
    stale_ = false;
    dueModel_->setCells(totalsCells(totals_, TotalsTable::ByDue, TotalsForm::Shown), kDueFigures);
    invoiceModel_->setCells(totalsCells(totals_, TotalsTable::Invoices, TotalsForm::Shown),
                            kInvoiceFigures);
    monthModel_->setCells(totalsCells(totals_, TotalsTable::Months, TotalsForm::Shown),
                          kMonthFigures);
    for (QTableView* view : {dueView_, invoiceView_, monthView_})
        view->resizeColumnsToContents();
    std::vector<ChartBar> bars = chartBarsOf(totals_);
    const bool months = wantsMonths(bars);
    if (months)
        bars = monthlyBars(bars);
    chart_->setEmptyText(emptyChartText(totals_));
    chart_->setBars(std::move(bars), months);
    note_->setText(totalsNote(totals_));
}

QList<QStringList> TotalsPage::cells() {
    showTotals();
    return allTotalsCells(totals_, TotalsForm::Plain);
}

QList<SheetTable> TotalsPage::sheets() {
    showTotals();
    QList<SheetTable> sheets;
    for (const TotalsTable which : {TotalsTable::ByDue, TotalsTable::Invoices, TotalsTable::Months})
        sheets.append(sheetOfCells(totalsTitle(which),
                                   totalsCells(totals_, which, TotalsForm::Plain),
                                   totalsDateHeaders(), totalsNumberHeaders()));
    return sheets;
}

QTableView* TotalsPage::focusedView() const {
    for (QTableView* view : {invoiceView_, monthView_})
        if (view->hasFocus())
            return view;
    return dueView_;
}

void TotalsPage::saveChart() {
    const QString path =
        QFileDialog::getSaveFileName(this, kSaveChartCaption.toString(),
                                     QStringLiteral("回収予定日別.png"), kPngFilter.toString());
    if (path.isEmpty())
        return;
    if (const auto problem = chart_->savePng(path))
        showMessageBox(*this, *problem);
}

} // namespace tokivane
