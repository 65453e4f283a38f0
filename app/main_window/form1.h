#pragma once

#include "clock.h"
#include "form_controls.h"
#include "widget_form_port.h"

#include <QMainWindow>
#include <memory>

class QLineEdit;

namespace tokivane {

class BatchWindow;
class DueWindow;

// The one window: date boxes, the closing-day list, Execute and Clear, and
// the four groups of output fields. Handlers keep their control_event names.
class Form1 final : public QMainWindow {
    Q_OBJECT

  public:
    explicit Form1(const Clock& clock, QWidget* parent = nullptr);
    ~Form1() override;

    void Form_Load();
    void Command1_Click();
    void Command4_Click();
    void mnu_END_Click();
    void Text1_KeyPress(int key);
    void Text2_KeyPress(int key);

  private:
    void buildControls(QWidget& client);
    void buildMenu();
    void completeBox(QLineEdit& box);
    // 一括判定, made on first need and kept while the window lives.
    BatchWindow& batchWindow();
    void showBatchWindow();
    void installBatchEntries(QWidget& client);
    void showDueWindow();

    const Clock& clock_;
    FormControls controls_;
    std::unique_ptr<WidgetFormPort> port_;
    BatchWindow* batch_ = nullptr;
    DueWindow* due_ = nullptr;
};

} // namespace tokivane
