#include "amount_text.h"

namespace tokivane {

namespace {

constexpr qsizetype kGroup = 3;

QString written(Amount amount, bool grouped) {
    // Unsigned, so that the most negative amount has a magnitude too.
    const quint64 magnitude =
        amount.hundredths < 0 ? 0 - quint64(amount.hundredths) : quint64(amount.hundredths);
    QString yen = QString::number(magnitude / kHundredthsPerYen);
    if (grouped) {
        for (qsizetype at = yen.size() - kGroup; at > 0; at -= kGroup)
            yen.insert(at, u',');
    }
    QString text = amount.hundredths < 0 ? u"-"_qs : QString();
    text.append(yen);
    if (showsDecimals(amount))
        text.append(u'.').append(u"%1"_qs.arg(magnitude % kHundredthsPerYen, 2, 10, QChar(u'0')));
    return text;
}

} // namespace

QString amountShown(Amount amount) {
    return written(amount, true);
}

QString amountPlain(Amount amount) {
    return written(amount, false);
}

} // namespace tokivane
