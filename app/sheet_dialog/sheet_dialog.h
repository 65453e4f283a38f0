#pragma once

#include <QList>
#include <QString>
#include <optional>

class QWidget;

namespace tokivane {

struct SheetEntry;

// Asks which of a workbook's sheets to read, in their order, the hidden ones
// marked; `preselected` is chosen to begin with and Enter takes the chosen
// one. None when the user cancels.
std::optional<qsizetype> chooseSheet(QWidget& parent, const QString& fileName,
                                     const QList<SheetEntry>& sheets, qsizetype preselected);

} // namespace tokivane
