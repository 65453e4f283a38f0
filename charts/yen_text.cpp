#include "yen_text.h"

namespace tokivane {

namespace {

constexpr quint64 kHundredthsPerYen = 100;
constexpr quint64 kHundredthsPerManYen = 1'000'000;
constexpr int kManYenDecimals = 6;
constexpr int kGroupDigits = 3;

// The size of an amount, INT64_MIN included.
quint64 magnitudeOf(qint64 value) {
    return value < 0 ? 0 - quint64(value) : quint64(value);
}

QString groupedDigits(quint64 value) {
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - kGroupDigits; at > 0; at -= kGroupDigits)
        digits.insert(at, u',');
    return digits;
}

QString signOf(qint64 value) {
    return value < 0 ? QStringLiteral("-") : QString();
}

} // namespace

QString yenText(qint64 hundredths) {
    const quint64 magnitude = magnitudeOf(hundredths);
    QString text = groupedDigits(magnitude / kHundredthsPerYen);
    if (const quint64 sen = magnitude % kHundredthsPerYen; sen != 0)
        text += QStringLiteral(".%1").arg(sen, 2, 10, QLatin1Char('0'));
    return signOf(hundredths) + text + u'円';
}

QString manYenText(qint64 hundredths) {
    const quint64 magnitude = magnitudeOf(hundredths);
    QString text = groupedDigits(magnitude / kHundredthsPerManYen);
    if (const quint64 fraction = magnitude % kHundredthsPerManYen; fraction != 0) {
        QString decimals =
            QStringLiteral("%1").arg(fraction, kManYenDecimals, 10, QLatin1Char('0'));
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += u'.' + decimals;
    }
    return signOf(hundredths) + text + QStringLiteral("万円");
}

} // namespace tokivane
