#pragma once

#include "csv_file.h"

#include <QKeySequence>
#include <QString>
#include <QStringView>
#include <optional>

class QAbstractItemModel;
class QShortcut;
class QTableView;
class QWidget;

namespace tokivane {

// What the windows that show a table offer for the whole of it.
inline constexpr QStringView kCopyAllCaption = u"すべてコピー";
inline constexpr QStringView kSaveCaption = u"保存…";
inline const QKeySequence kCopyAllKeys{Qt::CTRL | Qt::SHIFT | Qt::Key_C};

// A read-only table for `model`, its rows of one line's height each, so that
// the view never measures a million of them.
QTableView* newResultTable(QWidget& parent, QStringView name, QStringView accessibleName,
                           QAbstractItemModel& model);

// Keys that work whichever control of `window` has focus.
QShortcut* windowKeys(QWidget& window, const QKeySequence& keys);

enum class TableFileType { CsvUtf8, CsvShiftJis, Workbook };

struct TableSaveChoice {
    QString path;
    TableFileType type;
};

// Asks where to save a table (`baseName`, without its suffix, is offered)
// and as what: CSV in UTF-8 or Shift_JIS, or an Excel workbook, the
// workbook chosen to begin with when `workbookFirst`. A name ending in .xlsx
// or .csv is saved as such whatever type is chosen; a name without a suffix
// gets the chosen type's. The dialog asks before replacing a file. None when
// the user cancels.
std::optional<TableSaveChoice> chooseTableSaveFile(QWidget& parent, const QString& baseName,
                                                   bool workbookFirst);

} // namespace tokivane
