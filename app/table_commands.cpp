#include "table_commands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QShortcut>
#include <QTableView>

namespace tokivane {

namespace {

constexpr QStringView kUtf8Filter = u"CSV UTF-8 (*.csv)";
constexpr QStringView kShiftJisFilter = u"CSV Shift_JIS (*.csv)";
constexpr QStringView kWorkbookFilter = u"Excel ブック (*.xlsx)";
constexpr QStringView kWorkbookSuffix = u".xlsx";
constexpr QStringView kCsvSuffix = u".csv";
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

namespace {

// The type a saved name asks for by its suffix, else the chosen filter's,
// and the name with that type's suffix when it has none.
TableSaveChoice choiceOf(QString path, const QString& filter) {
    TableFileType type = filter == kWorkbookFilter   ? TableFileType::Workbook
                         : filter == kShiftJisFilter ? TableFileType::CsvShiftJis
                                                     : TableFileType::CsvUtf8;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"xlsx")
        type = TableFileType::Workbook;
    else if (suffix == u"csv" && type == TableFileType::Workbook)
        type = TableFileType::CsvUtf8;
    else if (suffix.isEmpty())
        path += (type == TableFileType::Workbook ? kWorkbookSuffix : kCsvSuffix).toString();
    return {path, type};
}

} // namespace

std::optional<TableSaveChoice> chooseTableSaveFile(QWidget& parent, const QString& baseName,
                                                   bool workbookFirst) {
    QString filter = (workbookFirst ? kWorkbookFilter : kUtf8Filter).toString();
    const QString filters =
        QStringList{kUtf8Filter.toString(), kShiftJisFilter.toString(), kWorkbookFilter.toString()}
            .join(QStringLiteral(";;"));
    const QString suggested = baseName + (workbookFirst ? kWorkbookSuffix : kCsvSuffix).toString();
    const QString path =
        QFileDialog::getSaveFileName(&parent, kSaveCaption.toString(), suggested, filters, &filter);
    if (path.isEmpty())
        return std::nullopt;
    return choiceOf(path, filter);
}

} // namespace tokivane
