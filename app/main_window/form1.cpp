#include "form1.h"

#include "batch_window.h"
#include "closing_day.h"
#include "complete_date.h"
#include "date_box_paste.h"
#include "date_text.h"
#include "due_window.h"
#include "em_spaced_label.h"
#include "execute.h"
#include "file_drops.h"
#include "form1_layout.h"
#include "form_font.h"
#include "form_palette.h"
#include "full_date_hints.h"
#include "judging_ranges.h"
#include "results_copy.h"

#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QToolTip>

namespace tokivane {

namespace {

// The character code a key press delivers for Enter.
constexpr int kEnterKeyCode = 13;

constexpr QStringView kBatchMenuCaption = u"記録日を一括判定…";
constexpr QStringView kDueMenuCaption = u"回収予定日…";

template <typename Widget> Widget* place(QWidget& parent, QStringView name, TwipsRect rect) {
    auto* widget = new Widget(&parent);
    widget->setObjectName(name.toString());
    widget->setGeometry(toPixels(rect));
    return widget;
}

template <typename Label = QLabel>
Label* placeLabel(QWidget& parent, QStringView name, TwipsRect rect, QStringView caption) {
    auto* label = place<Label>(parent, name, rect);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(toPixels(rect.height) >= 2 * layout::kLinePixels);
    label->setText(caption.toString());
    return label;
}

QLineEdit* placeDateBox(QWidget& parent, const layout::ControlSpec& placement) {
    auto* box = place<QLineEdit>(parent, placement.name, placement.rect);
    box->setAccessibleName(placement.caption.toString());
    // Ask input methods for plain digits and slashes rather than kana.
    box->setInputMethodHints(Qt::ImhDate | Qt::ImhPreferNumbers | Qt::ImhPreferLatin |
                             Qt::ImhNoPredictiveText);
    followFullDate(*box);
    return box;
}

// Results stay read-only but can be selected and copied, with the mouse or,
// once clicked, with the keyboard. They are not tab stops.
QLabel* placeOutputField(QWidget& parent, const layout::FieldSpec& placement) {
    auto* field = placeLabel(parent, fieldName(placement.field), placement.rect, {});
    field->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    field->setAccessibleDescription(placement.description.toString());
    return field;
}

void placeLine(QWidget& parent, const layout::LineSpec& placement) {
    auto* line =
        place<QFrame>(parent, placement.name,
                      {placement.left, placement.top, placement.right - placement.left, 0});
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setFixedHeight(1);
}

} // namespace

Form1::Form1(const Clock& clock, QWidget* parent) : QMainWindow(parent), clock_(clock) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(layout::kWindowTitle.toString());
    setFont(formFont());
    // Tooltips are windows of their own and take no font from the window.
    QToolTip::setFont(font());
    applyFormPalette(*this);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(toPixels(layout::kClientWidth), toPixels(layout::kClientHeight));
    setCentralWidget(client);
    buildControls(*client);
    buildMenu();
    installBatchEntries(*client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    port_ = std::make_unique<WidgetFormPort>(*this, controls_);
    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildControls(QWidget& client) {
    FormControls& c = controls_;
    c.list1 = place<QListWidget>(client, layout::kList1.name, layout::kList1.rect);
    c.list1->setSelectionMode(QAbstractItemView::SingleSelection);
    c.text1 = placeDateBox(client, layout::kText1);
    c.text2 = placeDateBox(client, layout::kText2);
    c.command1 = place<QPushButton>(client, layout::kCommand1.name, layout::kCommand1.rect);
    c.command1->setText(layout::kCommand1.caption.toString());
    c.command4 = place<QPushButton>(client, layout::kCommand4.name, layout::kCommand4.rect);
    c.command4->setText(layout::kCommand4.caption.toString());
    setTabOrder(c.list1, c.text1);
    setTabOrder(c.text1, c.text2);
    setTabOrder(c.text2, c.command1);
    setTabOrder(c.command1, c.command4);

    connect(c.text1, &QLineEdit::returnPressed, this, [this] { Text1_KeyPress(kEnterKeyCode); });
    connect(c.text2, &QLineEdit::returnPressed, this, [this] { Text2_KeyPress(kEnterKeyCode); });
    connect(c.command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(c.command4, &QPushButton::clicked, this, &Form1::Command4_Click);

    // Its three lines fill the box only at one em each.
    c.hint = placeLabel<EmSpacedLabel>(client, layout::kHint.name, layout::kHint.rect,
                                       layout::kHint.caption);
    QPalette hintColours = c.hint->palette();
    hintColours.setColor(QPalette::Window, layout::kHintColor);
    c.hint->setPalette(hintColours);
    c.hint->setAutoFillBackground(true);

    for (const auto& placement : layout::kFixedLabels)
        placeLabel(client, placement.name, placement.rect, placement.caption);
    for (const auto& placement : layout::kOutputFields)
        c.fields.insert(placement.field, placeOutputField(client, placement));
    for (const auto& placement : layout::kLines)
        placeLine(client, placement);
}

// Ways into 一括判定: the result area's menu, a paste of several lines into
// the record date box, and a file dropped on the window.
void Form1::installBatchEntries(QWidget& client) {
    auto* judgeMany = new QAction(kBatchMenuCaption.toString(), this);
    connect(judgeMany, &QAction::triggered, this, [this] {
        batchWindow().openText(QString());
        showBatchWindow();
    });
    auto* dueDates = new QAction(kDueMenuCaption.toString(), this);
    connect(dueDates, &QAction::triggered, this, &Form1::showDueWindow);
    installResultsCopy(*this, client, controls_, {judgeMany, dueDates});

    installDateBoxPaste(*controls_.text1, *controls_.text2, [this](const QString& lines) {
        showBatchWindow();
        batchWindow().openText(lines);
    });
    const auto openFiles = [this](const QStringList& paths) {
        showBatchWindow();
        batchWindow().openFiles(paths);
    };
    acceptBatchFileDrops(*this, openFiles);
    acceptBatchFileDrops(*controls_.text1, openFiles);
    acceptBatchFileDrops(*controls_.text2, openFiles);
}

BatchWindow& Form1::batchWindow() {
    if (!batch_) {
        batch_ = new BatchWindow(
            clock_, [this] { return judgingBasisOf(*port_, clock_); }, this);
    }
    return *batch_;
}

void Form1::showBatchWindow() {
    BatchWindow& batch = batchWindow();
    batch.show();
    batch.raise();
    batch.activateWindow();
}

// Starts afresh from the record date and closing day each time it is opened.
void Form1::showDueWindow() {
    if (!due_)
        due_ = new DueWindow(clock_, this);
    const QList<QListWidgetItem*> closing = controls_.list1->selectedItems();
    due_->start(controls_.text2->text(),
                closing.isEmpty() ? kMonthEndEntry.toString() : closing.front()->text());
    due_->show();
    due_->raise();
    due_->activateWindow();
}

void Form1::buildMenu() {
    QAction* end = menuBar()->addAction(layout::kEndMenuCaption.toString());
    end->setObjectName(layout::kEndMenuName.toString());
    connect(end, &QAction::triggered, this, &Form1::mnu_END_Click);
}

void Form1::Form_Load() {
    for (const QStringView entry : kClosingDayEntries) {
        auto* item = new QListWidgetItem(entry.toString(), controls_.list1);
        // One text line per entry, so all six show without scrolling.
        item->setSizeHint(QSize(0, layout::kLinePixels));
    }
    controls_.list1->setCurrentRow(kDefaultClosingDayIndex);

    controls_.text1->clear();
    controls_.text2->clear();
    controls_.text1->setText(dateTextOf(clock_.today()));
    controls_.text2->setText(controls_.text1->text());

    for (const OutputField field : kAllOutputFields)
        port_->setCaption(field, QString());
}

void Form1::Command1_Click() {
    Execute(*port_, clock_);
    if (batch_ && batch_->isVisible())
        batch_->judgeAgain();
}

void Form1::Command4_Click() {
    for (const OutputField field : kClearedFields)
        port_->setCaption(field, QString());
}

void Form1::mnu_END_Click() {
    close();
}

void Form1::Text1_KeyPress(int key) {
    if (key == kEnterKeyCode)
        completeBox(*controls_.text1);
}

void Form1::Text2_KeyPress(int key) {
    if (key == kEnterKeyCode)
        completeBox(*controls_.text2);
}

void Form1::completeBox(QLineEdit& box) {
    QString text = box.text();
    CompleteDate(text, clock_);
    box.setText(text);
}

} // namespace tokivane
