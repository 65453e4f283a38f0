#pragma once

#include "batch_table.h"
#include "ledger_totals.h"
#include "row_amounts.h"
#include "sheet_table.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <optional>

class QComboBox;
class QLabel;
class QTableView;

namespace tokivane {

class AmountChart;
class TextTableModel;

// 集計: a judged ledger's amounts added up by 回収予定日 (with a chart), by
// invoice and by month, for the rows the 対象 choice names, from the column
// the 金額 choice names. Worked out only while shown: judging again stays as
// quick as it was.
class TotalsPage final : public QWidget {
    Q_OBJECT

  public:
    explicit TotalsPage(QWidget* parent = nullptr);

    // Another ledger: its columns are offered, its own amount column chosen.
    void setTable(const BatchTable& table);
    // The same rows judged again, or with another amount column.
    void tableChanged();
    // Sets the 金額 choice back to the column in use.
    void showAmountColumn(std::optional<qsizetype> column);
    // The three tables for copies and CSV files, each under its title.
    QList<QStringList> cells();
    // The three tables, a sheet each, under their titles.
    QList<SheetTable> sheets();
    // The table view with focus, for copying a selection.
    QTableView* focusedView() const;

  signals:
    // The user chose another amount column (none for なし).
    void amountColumnChosen(std::optional<qsizetype> column);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildChoices();
    QTableView* addTable(QWidget& parent, QStringView name, QStringView title,
                         TextTableModel*& model);
    void chooseAmountColumn(int index);
    void refresh();
    void showTotals();
    void saveChart();

    const BatchTable* table_ = nullptr;
    RowAmounts amounts_;
    LedgerTotals totals_;
    // The tables shown are behind the ledger's judgements.
    bool stale_ = true;
    bool amountsStale_ = true;
    QComboBox* target_ = nullptr;
    QComboBox* amountColumn_ = nullptr;
    TextTableModel* dueModel_ = nullptr;
    TextTableModel* invoiceModel_ = nullptr;
    TextTableModel* monthModel_ = nullptr;
    QTableView* dueView_ = nullptr;
    QTableView* invoiceView_ = nullptr;
    QTableView* monthView_ = nullptr;
    AmountChart* chart_ = nullptr;
    QLabel* note_ = nullptr;
};

} // namespace tokivane
