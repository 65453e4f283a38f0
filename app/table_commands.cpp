#include "table_commands.h"

#include <QFileDialog>

namespace tokivane {

namespace {

constexpr QStringView kUtf8Filter = u"CSV UTF-8 (*.csv)";
constexpr QStringView kShiftJisFilter = u"CSV Shift_JIS (*.csv)";

} // namespace

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
