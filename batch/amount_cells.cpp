#include "amount_cells.h"

#include "source_lines.h"

namespace tokivane {

namespace {

constexpr QStringView kCellNote = u"%1の列：%2";
constexpr QChar kQuote = u'"';

// A quoted cell is unquoted in place when it holds no quote itself, as CSV
// files quote "1,234"; others are unquoted into `storage`.
QStringView valueOf(QStringView raw, QChar separator, QString& storage) {
    if (raw.size() >= 2 && raw.front() == kQuote && raw.back() == kQuote &&
        !raw.sliced(1, raw.size() - 2).contains(kQuote))
        return raw.sliced(1, raw.size() - 2);
    return valueOfRawCell(raw, separator, storage);
}

} // namespace

AmountCell amountCellOf(const BatchTable& table, const BatchRow& row, qsizetype column,
                        QString& storage) {
    if (row.unread == Unread::EmptyLine)
        return EmptyCell{};
    const QStringView record = QStringView(table.source).sliced(row.start, row.end - row.start);
    const auto raw = rawCellOfRecord(record, table.separator, column);
    if (!raw)
        return EmptyCell{};
    return readAmountCell(valueOf(*raw, table.separator, storage));
}

QString amountNote(const BatchTable& table, const BatchRow& row, std::optional<qsizetype> column) {
    if (!column)
        return {};
    QString storage;
    const AmountCell cell = amountCellOf(table, row, *column, storage);
    const AmountError* error = std::get_if<AmountError>(&cell);
    if (!error)
        return {};
    const QString header =
        table.inputHeaders.value(*column, QStringLiteral("列%1").arg(*column + 1));
    return kCellNote.toString().arg(header, error->reason);
}

} // namespace tokivane
