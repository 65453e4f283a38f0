#include "row_amounts.h"

#include "amount_cell.h"

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

} // namespace

RowAmounts::RowAmounts(const BatchTable& table, std::optional<qsizetype> column)
    : column_(column), hundredths_(std::size_t(table.rows.size()), 0),
      states_(std::size_t(table.rows.size()), quint8(AmountState::Empty)) {
    if (!column)
        return;
    QString storage;
    for (std::size_t at = 0; at < states_.size(); ++at) {
        const AmountCell cell = amountCellOf(table, table.rows[qsizetype(at)], *column, storage);
        if (const Amount* amount = std::get_if<Amount>(&cell)) {
            hundredths_[at] = amount->hundredths;
            states_[at] =
                quint8(amount->fractional ? AmountState::ReadWithDecimals : AmountState::Read);
        } else if (std::holds_alternative<AmountError>(cell)) {
            states_[at] = quint8(AmountState::Refused);
        }
    }
}

std::optional<Amount> RowAmounts::amountOf(qsizetype row) const {
    const AmountState state = stateOf(row);
    if (state != AmountState::Read && state != AmountState::ReadWithDecimals)
        return std::nullopt;
    return Amount{hundredths_[std::size_t(row)], state == AmountState::ReadWithDecimals};
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
