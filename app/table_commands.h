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
inline constexpr QStringView kSaveCsvCaption = u"CSVで保存…";
inline const QKeySequence kCopyAllKeys{Qt::CTRL | Qt::SHIFT | Qt::Key_C};

// A read-only table for `model`, its rows of one line's height each, so that
// the view never measures a million of them.
QTableView* newResultTable(QWidget& parent, QStringView name, QStringView accessibleName,
                           QAbstractItemModel& model);

// Keys that work whichever control of `window` has focus.
QShortcut* windowKeys(QWidget& window, const QKeySequence& keys);

struct CsvSaveChoice {
    QString path;
    CsvEncoding encoding;
};

// Asks where to save a table and in which encoding, UTF-8 first; the dialog
// asks before replacing a file. None when the user cancels.
std::optional<CsvSaveChoice> chooseCsvSaveFile(QWidget& parent, const QString& suggestedName);

} // namespace tokivane
