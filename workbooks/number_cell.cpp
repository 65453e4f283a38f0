#include "number_cell.h"

#include "amount_cell.h"

namespace tokivane {

namespace {

// The most decimal digits that every double-precision value keeps.
constexpr int kExactDigits = 15;
constexpr int kDecimals = 2;

int digitCount(quint64 n) {
    int digits = 1;
    for (; n >= 10; n /= 10)
        ++digits;
    return digits;
}

} // namespace

std::optional<SheetNumber> numberOfCell(QStringView cell) {
    const AmountCell read = readAmountCell(cell);
    const auto* amount = std::get_if<Amount>(&read);
    if (!amount)
        return std::nullopt;
    // Unsigned, so that the most negative amount has a magnitude too.
    const quint64 hundredths =
        amount->hundredths < 0 ? 0 - quint64(amount->hundredths) : quint64(amount->hundredths);
    const bool decimals = showsDecimals(*amount);
    const quint64 yen = hundredths / kHundredthsPerYen;
    if (digitCount(yen) + (decimals ? kDecimals : 0) > kExactDigits)
        return std::nullopt;
    // Both exact below 2^53, so the quotient is the double nearest the amount.
    const double value = decimals ? double(amount->hundredths) / double(kHundredthsPerYen)
                                  : double(amount->hundredths / kHundredthsPerYen);
    return SheetNumber{value, decimals};
}

} // namespace tokivane
