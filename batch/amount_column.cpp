#include "amount_column.h"

#include "header_columns.h"

#include <array>

namespace tokivane {

namespace {

constexpr std::array<QStringView, 9> kAmountHeaders{
    u"税込金額", u"請求金額", u"合計金額",   u"売上金額", u"金額",
    u"売上額",   u"税込合計", u"金額(税込)", u"請求額",
};

} // namespace

std::optional<qsizetype> amountColumnOf(const QStringList& headers) {
    return columnNamedFirst(headers, kAmountHeaders);
}

} // namespace tokivane
