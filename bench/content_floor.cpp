// A floor for the start-up benchmark: Tokivane's window as the toolkit alone
// would build it from the same layout tables, font and colours, with plain
// widgets and nothing behind them: no handlers, no calculators, no start-up
// state beyond the list's entries. What Tokivane takes beyond this is what
// it adds to the toolkit's cost of its own content.
#include "closing_day.h"
#include "form1_layout.h"
#include "form_font.h"
#include "form_palette.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace {

using namespace tokivane;

template <typename Widget> Widget* place(QWidget& parent, TwipsRect rect) {
    auto* widget = new Widget(&parent);
    widget->setGeometry(toPixels(rect));
    return widget;
}

QLabel* placeLabel(QWidget& parent, TwipsRect rect, QStringView caption) {
    auto* label = place<QLabel>(parent, rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(toPixels(rect.height) >= 2 * layout::kLinePixels);
    label->setText(caption.toString());
    return label;
}

void buildControls(QWidget& client) {
    auto* list = place<QListWidget>(client, layout::kList1.rect);
    for (const QStringView entry : kClosingDayEntries)
        list->addItem(entry.toString());
    list->setCurrentRow(kDefaultClosingDayIndex);
    for (const auto& box : {layout::kText1, layout::kText2})
        place<QLineEdit>(client, box.rect)->setText(QStringLiteral("25/11/15"));
    for (const auto& button : {layout::kCommand1, layout::kCommand4})
        place<QPushButton>(client, button.rect)->setText(button.caption.toString());

    QLabel* hint = placeLabel(client, layout::kHint.rect, layout::kHint.caption);
    QPalette hintColours = hint->palette();
    hintColours.setColor(QPalette::Window, layout::kHintColor);
    hint->setPalette(hintColours);
    hint->setAutoFillBackground(true);
    for (const auto& placement : layout::kFixedLabels)
        placeLabel(client, placement.rect, placement.caption);
    for (const auto& placement : layout::kOutputFields)
        placeLabel(client, placement.rect, {});
    for (const auto& line : layout::kLines) {
        auto* rule = place<QFrame>(client, {line.left, line.top, line.right - line.left, 0});
        rule->setFrameShape(QFrame::HLine);
        rule->setFixedHeight(1);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(layout::kWindowTitle.toString());
    window.setFont(formFont());
    window.setPalette(formPalette());

    auto* client = new QWidget(&window);
    client->setFixedSize(toPixels(layout::kClientWidth), toPixels(layout::kClientHeight));
    window.setCentralWidget(client);
    buildControls(*client);
    window.menuBar()->addAction(layout::kEndMenuCaption.toString());
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.show();
    return app.exec();
}
