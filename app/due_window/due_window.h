#pragma once

#include "clock.h"
#include "sheet_table.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTableView;

namespace tokivane {

class ScheduleModel;
class TermsEditor;

// 回収予定日: on which invoice a record goes and when it will be paid, under a
// customer's terms, with the year of closings that follows. Results follow
// every change at once.
class DueWindow final : public QWidget {
    Q_OBJECT

  public:
    explicit DueWindow(const Clock& clock, QWidget* parent = nullptr);

    // Starts from the main window's record date text and closing-day entry
    // ("空白" closes as "月末"), with the terms 翌月末, 休日は前営業日.
    void start(const QString& recordText, QStringView closingEntry);

    // 回収予定表 with its header line, as copied and saved.
    QList<QStringList> shownCells() const;

  private:
    // The schedule as a sheet of a workbook, its dates as dates.
    SheetTable shownSheet() const;
    void buildControls();
    QWidget* buildResults();
    void installKeys();
    void completeRecord();
    void showResults();
    void showProblem(const QString& problem);
    void copyAll();
    void chooseSaveFile();

    const Clock& clock_;
    QLineEdit* record_ = nullptr;
    TermsEditor* terms_ = nullptr;
    QLabel* closingDate_ = nullptr;
    QLabel* closingFull_ = nullptr;
    QLabel* dueDate_ = nullptr;
    QLabel* dueFull_ = nullptr;
    QLabel* moved_ = nullptr;
    QLabel* problem_ = nullptr;
    ScheduleModel* model_ = nullptr;
    QTableView* view_ = nullptr;
};

} // namespace tokivane
