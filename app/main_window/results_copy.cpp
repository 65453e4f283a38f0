#include "results_copy.h"

#include "form1_layout.h"
#include "results_table.h"
#include "twips.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace tokivane {

namespace {

constexpr QStringView kCopyResultsCaption = u"結果をコピー";
const QKeySequence kCopyResultsKeys{Qt::CTRL | Qt::SHIFT | Qt::Key_C};

void copyResults(const FormControls& controls) {
    const ResultsTable table = resultsTable(
        [&controls](OutputField field) { return controls.fields.value(field)->text(); });
    copyToClipboard(table);
}

// The results begin at the first rule; above it are the inputs.
bool inResultArea(QPoint clientPos) {
    return clientPos.y() >= toPixels(layout::kLines.front().top);
}

// A menu of its own for each popup, gone once closed.
void popUpMenu(QWidget& client, const QList<QAction*>& entries, QPoint pos) {
    if (!inResultArea(pos))
        return;
    auto* menu = new QMenu(&client);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // A popup is a window of its own and inherits no font from the window.
    menu->setFont(client.font());
    menu->addActions(entries);
    menu->popup(client.mapToGlobal(pos));
}

} // namespace

void installResultsCopy(QWidget& form, QWidget& client, const FormControls& controls,
                        const QList<QAction*>& moreEntries) {
    auto* copy = new QAction(kCopyResultsCaption.toString(), &form);
    copy->setShortcut(kCopyResultsKeys);
    // The whole window, so that it also works while a box or the list has focus.
    copy->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(copy, &QAction::triggered, &form, [&controls] { copyResults(controls); });
    form.addAction(copy);

    // Output fields show no menu of their own (plain-text labels offer one only
    // for links), so their right clicks and menu key reach the area's.
    client.setContextMenuPolicy(Qt::CustomContextMenu);
    const QList<QAction*> entries = QList<QAction*>{copy} + moreEntries;
    QObject::connect(&client, &QWidget::customContextMenuRequested, copy,
                     [&client, entries](QPoint pos) { popUpMenu(client, entries, pos); });
}

} // namespace tokivane
