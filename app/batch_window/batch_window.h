#pragma once

#include "batch_table.h"
#include "clock.h"
#include "csv_file.h"
#include "judging_ranges.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <variant>

class QLabel;
class QTableView;

namespace tokivane {

class BatchModel;
class TermsEditor;
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
    // progress, and a cancelled reading leaves the table as it was.
    void openText(const QString& text);
    // The same with a file's text; an unreadable file leaves the table as it
    // was and says why.
    void openFile(const QString& path);
    // Judges the same lines again after Execute, which has already reported
    // any problem with the inputs.
    void judgeAgain();

    // The whole table in the order shown, header line first.
    QList<QStringList> shownCells() const;
    // Writes the table; the reason when nothing was written.
    std::optional<QString> saveCsv(const QString& path, CsvEncoding encoding) const;

  private:
    void buildControls();
    QWidget* buildTermsLine();
    // The line's closing day follows the main window's whenever that changes.
    void followClosingEntry(const QString& entry);
    void installKeys();
    // Runs long work with a progress bar; false when it was cancelled or
    // other work was under way.
    bool runWork(QStringView label, const std::function<void(WorkControl&)>& work);
    void showTable(BatchTable table);
    void sortBy(int column, Qt::SortOrder order);
    void judge(bool reportProblem);
    void showCounts();
    void copySelection();
    void copyAll();
    void pasteLines();
    void chooseFile();
    void chooseSaveFile();
    void showMessage(const QString& message);

    const Clock& clock_;
    BasisSource basis_;
    BatchModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QLabel* heading_ = nullptr;
    TermsEditor* terms_ = nullptr;
    QString followedEntry_;
    QLabel* status_ = nullptr;
    int sortColumn_ = 0;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    bool busy_ = false;
    // 実行 was pressed while the table was being read or sorted.
    bool judgeWhenIdle_ = false;
};

} // namespace tokivane
