#pragma once

#include "csv_file.h"

#include <QKeySequence>
#include <QString>
#include <QStringView>
#include <optional>

class QWidget;

namespace tokivane {

// What the windows that show a table offer for the whole of it.
inline constexpr QStringView kCopyAllCaption = u"すべてコピー";
inline constexpr QStringView kSaveCsvCaption = u"CSVで保存…";
inline const QKeySequence kCopyAllKeys{Qt::CTRL | Qt::SHIFT | Qt::Key_C};

struct CsvSaveChoice {
    QString path;
    CsvEncoding encoding;
};

// Asks where to save a table and in which encoding, UTF-8 first; the dialog
// asks before replacing a file. None when the user cancels.
std::optional<CsvSaveChoice> chooseCsvSaveFile(QWidget& parent, const QString& suggestedName);

} // namespace tokivane
