#include "table_commands.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QShortcut>
#include <QTableView>

namespace tokivane {

namespace {

constexpr QStringView kUtf8Filter = u"CSV UTF-8 (*.csv)";
constexpr QStringView kShiftJisFilter = u"CSV Shift_JIS (*.csv)";
// Room above and below a row's text.
constexpr int kRowPadding = 6;

} // namespace

QTableView* newResultTable(QWidget& parent, QStringView name, QStringView accessibleName,
                           QAbstractItemModel& model) {
    auto* view = new QTableView(&parent);
    view->setObjectName(name.toString());
    view->setAccessibleName(accessibleName.toString());
    view->setModel(&model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + kRowPadding);
    view->setWordWrap(false);
    return view;
}

QShortcut* windowKeys(QWidget& window, const QKeySequence& keys) {
    auto* shortcut = new QShortcut(keys, &window);
    shortcut->setContext(Qt::WindowShortcut);
    return shortcut;
}

std::optional<CsvSaveChoice> chooseCsvSaveFile(QWidget& parent, const QString& suggestedName) {
    QString filter = kUtf8Filter.toString();
    const QString path = QFileDialog::getSaveFileName(
        &parent, kSaveCsvCaption.toString(), suggestedName,
        kUtf8Filter.toString() + QStringLiteral(";;") + kShiftJisFilter.toString(), &filter);
    if (path.isEmpty())
        return std::nullopt;
    return CsvSaveChoice{path, filter == kShiftJisFilter ? CsvEncoding::ShiftJis
                                                         : CsvEncoding::Utf8WithBom};
}

} // namespace tokivane
