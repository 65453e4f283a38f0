#include "row_amounts.h"

#include "amount_cells.h"

namespace tokivane {

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

} // namespace tokivane
