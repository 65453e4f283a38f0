#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tokivane {

// A money amount, exactly: a count of hundredths of a yen, never a
// floating-point value.
struct Amount {
    qint64 hundredths = 0;
    // Written with decimals ("1,234.50"), so totals that hold it show two too.
    bool fractional = false;

    bool operator==(const Amount&) const = default;
};

// Why a cell or a total is no amount: a short sentence for a 備考 column.
struct AmountError {
    QString reason;
};

constexpr qint64 kHundredthsPerYen = 100;

// The two amounts together, or none when the total passes what 64 bits hold.
std::optional<Amount> plus(Amount a, Amount b);

// Two decimals when the amount was read with them, and whenever it holds
// hundredths, which whole yen would drop.
bool showsDecimals(Amount amount);

} // namespace tokivane
