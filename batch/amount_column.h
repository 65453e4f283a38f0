#pragma once

#include <QStringList>
#include <optional>

namespace tokivane {

// A ledger's amount column, by the names sales and accounting software give
// it, in this order of preference: 税込金額, 請求金額, 合計金額, 売上金額, 金額,
// 売上額, 税込合計, 金額(税込), 請求額. The first name some column has wins,
// the leftmost such column; full-width forms match.
std::optional<qsizetype> amountColumnOf(const QStringList& headers);

} // namespace tokivane
