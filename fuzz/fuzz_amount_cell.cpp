// Amount cells on any UTF-16 text, and on cells spliced from the pieces real
// amounts are made of: every cell is read or refused with a reason, a read
// amount's written texts read back the same, and the sum of the read amounts
// is the exact one, or refused just when a 128-bit running sum leaves 64 bits.
#include "amount_cell.h"
#include "amount_sum.h"
#include "amount_text.h"

#include "fuzz_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QList>
#include <QString>
#include <QStringView>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

using namespace tokivane;
using Wide = __int128;

// A line break ends a cell, so one input is a column of them.
constexpr QChar kCellBreak = u'\n';
// Edge numbers are spliced in now and then: most cells are short.
constexpr int kOneEdgeIn = 8;

constexpr QStringView kPieces[] = {
    u"0",  u"1",  u"5",  u"9",  u"12", u"234", u"999", u"０",     u"１", u"９", u",",  u"，",
    u".",  u"．", u"-",  u"−",  u"－", u"+",   u"＋",  u"△",      u"▲",  u"(",  u")",  u"（",
    u"）", u"¥",  u"￥", u"\\", u"円", u" ",   u"　",  u"\u00a0", u"\t", u"e",  u"\n", u"\n",
};

// Numbers at the edge of what 64 bits hold, and runs longer than any.
constexpr QStringView kEdges[] = {
    u"92233720368547758",   u"92233720368547758.07",       u"-92,233,720,368,547,758.08",
    u"9223372036854775807", u"99999999999999999999999999", u"00000000000000000000000000",
};

[[noreturn]] void fail(const char* what, QStringView input, const QString& output) {
    std::fprintf(stderr, "%s\ninput:  %s\noutput: %s\n", what,
                 qUtf8Printable(input.left(2000).toString()), qUtf8Printable(output.left(2000)));
    std::abort();
}

// The cell's amount, if it is read; the cell itself checked.
std::optional<Amount> checked(QStringView cell) {
    const AmountCell read = readAmountCell(cell);
    if (const auto* error = std::get_if<AmountError>(&read)) {
        if (error->reason.isEmpty())
            fail("a refusal without a reason", cell, {});
        return std::nullopt;
    }
    if (std::holds_alternative<EmptyCell>(read)) {
        if (!cell.trimmed().isEmpty())
            fail("a cell with text read as empty", cell, {});
        return std::nullopt;
    }
    const Amount amount = std::get<Amount>(read);
    for (const QString& written : {amountPlain(amount), amountShown(amount)}) {
        const AmountCell again = readAmountCell(written);
        if (!std::holds_alternative<Amount>(again) || std::get<Amount>(again) != amount)
            fail("the written amount reads back differently", cell, written);
    }
    return amount;
}

bool fitsIn64Bits(Wide value) {
    return value >= std::numeric_limits<qint64>::min() &&
           value <= std::numeric_limits<qint64>::max();
}

void checkSum(const QList<Amount>& amounts, QStringView input) {
    AmountSum sum;
    Wide reference = 0;
    bool left = false;
    bool fractional = false;
    for (const Amount& amount : amounts) {
        reference += amount.hundredths;
        left = left || !fitsIn64Bits(reference);
        fractional = fractional || amount.fractional;
        if (sum.add(amount) == left)
            fail(left ? "a sum past 64 bits taken" : "a sum within 64 bits refused", input, {});
    }
    const auto total = sum.total();
    if (sum.count() != amounts.size() || sum.refused() != left)
        fail("the sum counts wrongly", input, {});
    if (const auto* error = std::get_if<AmountError>(&total)) {
        if (!left || error->reason.isEmpty())
            fail("a sum refused wrongly", input, error->reason);
    } else if (left || std::get<Amount>(total) != Amount{qint64(reference), fractional}) {
        fail("a wrong sum", input, amountPlain(std::get<Amount>(total)));
    }
}

void check(const QString& column) {
    QList<Amount> amounts;
    for (QStringView cell : QStringView(column).split(kCellBreak)) {
        if (const std::optional<Amount> amount = checked(cell))
            amounts.append(*amount);
    }
    checkSum(amounts, column);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    check(fuzzing::utf16Text(std::vector<std::uint8_t>(bytes, bytes + size)));

    // The same bytes as pieces, taken from the end as the provider takes them.
    FuzzedDataProvider data(bytes, size);
    QString spliced;
    while (data.remaining_bytes() > 0) {
        const bool edge = data.ConsumeIntegralInRange(0, kOneEdgeIn - 1) == 0;
        spliced.append(edge ? data.PickValueInArray(kEdges) : data.PickValueInArray(kPieces));
    }
    check(spliced);
    return 0;
}
