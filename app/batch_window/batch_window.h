#pragma once

#include "batch_table.h"
#include "clock.h"
#include "csv_file.h"
#include "customer_list.h"
#include "judging_ranges.h"
#include "sheet_table.h"
#include "table_files.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

class QComboBox;
class QLabel;
class QTabWidget;
class QTableView;

namespace tokivane {

class BatchModel;
class CustomerModel;
class TermsEditor;
class TotalsPage;
struct WorkControl;

// 一括判定: many record dates, one a line, judged against the ranges the main
// window's Execute shows, as a table to sort, copy and save.
class BatchWindow final : public QWidget {
    Q_OBJECT

  public:
    // The window's inputs as Execute checks them: the basis to judge
    // against, or Execute's message.
    using BasisSource = std::function<std::variant<JudgingBasis, QString>()>;

    BatchWindow(const Clock& clock, BasisSource basis, QWidget* parent = nullptr);
    ~BatchWindow() override;

    // Replaces the lines with those of `text` and judges them; a failing
    // check of the inputs is shown as Execute shows it. Long texts show their
    // progress, and a cancelled reading leaves the table as it was. A text
    // that reads as a customer list is taken as the list instead.
    void openText(const QString& text);
    // The same with files' texts, customer lists before ledgers whatever
    // their order; an unreadable file leaves the table as it was and says why.
    void openFile(const QString& path);
    void openFiles(const QStringList& paths);
    // A customer list, whatever its columns look like; one that cannot be
    // read leaves the list in use and says why.
    void openCustomerFile(const QString& path);
    // Judges the same lines again after Execute, which has already reported
    // any problem with the inputs.
    void judgeAgain();

    // The whole table in the order shown, header line first.
    QList<QStringList> shownCells() const;
    // The customer list as read, header line first; nothing without one.
    QList<QStringList> customerCells() const;
    // What すべてコピー and CSVで保存… take: the tab shown (集計: its three
    // tables, each under its title).
    QList<QStringList> currentCells() const;
    // The tab shown as sheets of a workbook: 集計 a sheet for each table.
    QList<SheetTable> currentSheets() const;
    // Writes the tab shown; the reason when nothing was written.
    std::optional<QString> saveCsv(const QString& path, CsvEncoding encoding) const;
    std::optional<QString> saveWorkbook(const QString& path) const;

  private:
    void buildControls();
    QWidget* buildTermsLine();
    QWidget* buildLedgerPage();
    QWidget* buildCustomerPage();
    // The line's closing day follows the main window's whenever that changes.
    void followClosingEntry(const QString& entry);
    void installKeys();
    // Runs long work with a progress bar; false when it was cancelled or
    // other work was under way.
    bool runWork(QStringView label, const std::function<void(WorkControl&)>& work);
    RunWork runner();
    // `fromWorkbook`: the table was a workbook's sheet, and is saved as one
    // unless the user chooses otherwise.
    void openLedgerText(QString text, bool fromWorkbook);
    // Takes a list; `rereadLedger`: the ledger shown may name its codes by
    // the list's own header, and is read again to find them.
    void takeCustomerList(QString text, bool rereadLedger, bool fromWorkbook);
    // Reads the list again, as when the way months are counted changes.
    void readListAgain();
    // A ledger read before the list may name its codes by the list's header.
    void readLedgerForListCodes();
    QString listCodeHeader() const;
    MonthCounting monthCounting() const;
    void showTable(BatchTable table);
    void sortBy(int column, Qt::SortOrder order);
    void judge(bool reportProblem);
    void showCounts();
    void showCustomerCounts();
    QTableView* currentView() const;
    void copySelection();
    void copyAll();
    void pasteLines();
    void chooseFile();
    void chooseCustomerFile();
    void chooseSaveFile();
    void showMessage(const QString& message);

    const Clock& clock_;
    BasisSource basis_;
    QTabWidget* tabs_ = nullptr;
    BatchModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QLabel* heading_ = nullptr;
    TermsEditor* terms_ = nullptr;
    QString followedEntry_;
    QLabel* status_ = nullptr;
    CustomerModel* customerModel_ = nullptr;
    QTableView* customerView_ = nullptr;
    QLabel* customerStatus_ = nullptr;
    QComboBox* monthCounting_ = nullptr;
    TotalsPage* totals_ = nullptr;
    // The list's text, read again when months are counted another way.
    QString listText_;
    bool listFromWorkbook_ = false;
    bool ledgerFromWorkbook_ = false;
    std::shared_ptr<const CustomerList> customers_;
    int sortColumn_ = 0;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    bool busy_ = false;
    // 実行 was pressed while the table was being read or sorted.
    bool judgeWhenIdle_ = false;
    // 回収月の数え方 changed while the table was being read or sorted.
    bool readListWhenIdle_ = false;
};

} // namespace tokivane
