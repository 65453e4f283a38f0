#include "number_text.h"

#include <QList>
#include <algorithm>
#include <cmath>

namespace tokivane {

// What a section of a code shows, in order.
struct NumberPiece {
    enum Kind { Text, IntegerPlace, DecimalPlace } kind = Text;
    QString text; // Text
    QChar place;  // '0', '#' or '?'
};

struct NumberSection {
    QList<NumberPiece> pieces;
    bool grouping = false;
    int scaleThousands = 0;
    int percent = 0;
    bool unsupported = false;
    // Nothing but grouped integer places (#,##0), and of those how many are
    // zeros: an amount's format, written more directly.
    bool groupedWhole = false;
    int zeroPlaces = 0;
};

namespace {

using Piece = NumberPiece;
using Section = NumberSection;

constexpr double kLargestExactWhole = 1e15;

QList<QStringView> sectionsOf(QStringView code) {
    QList<QStringView> sections;
    qsizetype start = 0;
    for (qsizetype at = 0; at < code.size(); ++at) {
        const QChar c = code[at];
        if (c == u'"') {
            const qsizetype close = code.indexOf(u'"', at + 1);
            at = close < 0 ? code.size() : close;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++at;
        } else if (c == u'[') {
            const qsizetype close = code.indexOf(u']', at + 1);
            at = close < 0 ? code.size() : close;
        } else if (c == u';') {
            sections.append(code.sliced(start, at - start));
            start = at + 1;
        }
    }
    sections.append(code.sliced(std::min(start, code.size())));
    return sections;
}

bool isPlace(QChar c) {
    return c == u'0' || c == u'#' || c == u'?';
}

// The text a bracket shows: a currency's symbol ([$¥-411]); colours,
// locales and the like show nothing. Conditions are not read.
void readBracket(QStringView inside, Section& section) {
    if (inside.startsWith(u'$')) {
        const qsizetype dash = inside.indexOf(u'-');
        section.pieces.append(
            {Piece::Text, inside.sliced(1, (dash < 0 ? inside.size() : dash) - 1).toString(), {}});
    } else if (!inside.isEmpty() && (inside[0] == u'<' || inside[0] == u'>' || inside[0] == u'=')) {
        section.unsupported = true;
    }
}

Section readSection(QStringView code) {
    Section section;
    bool afterPoint = false;
    bool commaPending = false;
    for (qsizetype at = 0; at < code.size(); ++at) {
        const QChar c = code[at];
        if (isPlace(c)) {
            if (commaPending && !afterPoint)
                section.grouping = true;
            commaPending = false;
            section.pieces.append({afterPoint ? Piece::DecimalPlace : Piece::IntegerPlace, {}, c});
            continue;
        }
        if (commaPending) {
            ++section.scaleThousands;
            commaPending = false;
        }
        if (c == u'"') {
            const qsizetype close = code.indexOf(u'"', at + 1);
            const qsizetype end = close < 0 ? code.size() : close;
            section.pieces.append({Piece::Text, code.sliced(at + 1, end - at - 1).toString(), {}});
            at = end;
        } else if (c == u'\\' && at + 1 < code.size()) {
            section.pieces.append({Piece::Text, QString(code[++at]), {}});
        } else if (c == u'_' && at + 1 < code.size()) {
            ++at;
            section.pieces.append({Piece::Text, QStringLiteral(" "), {}});
        } else if (c == u'*') {
            ++at;
        } else if (c == u'[') {
            const qsizetype close = code.indexOf(u']', at + 1);
            const qsizetype end = close < 0 ? code.size() : close;
            readBracket(code.sliced(at + 1, end - at - 1), section);
            at = end;
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
            section.pieces.append({Piece::Text, QStringLiteral("."), {}});
        } else if (c == u',') {
            commaPending = true;
        } else if (c == u'%') {
            ++section.percent;
            section.pieces.append({Piece::Text, QStringLiteral("%"), {}});
        } else if (c == u'/' || c == u'E' || c == u'e') {
            section.unsupported = true;
        } else if (c != u'@') {
            section.pieces.append({Piece::Text, QString(c), {}});
        }
    }
    if (commaPending)
        ++section.scaleThousands;
    return section;
}

// The digits of a non-negative value rounded to `decimals` places, half away
// from zero on its 15 significant digits: the integer part without leading
// zeros, and exactly `decimals` fraction digits.
std::pair<QString, QString> roundedDigits(double value, int decimals) {
    // A whole number of no more than 15 digits is its own digits.
    if (value < kLargestExactWhole && value == std::floor(value)) {
        const auto whole = static_cast<qint64>(value);
        return {whole == 0 ? QString() : QString::number(whole), QString(decimals, u'0')};
    }
    const QString scientific = QString::number(value, 'e', kSignificantDigits - 1);
    const qsizetype e = scientific.indexOf(u'e');
    QString digits = scientific.left(e).remove(u'.');
    int pointAt = scientific.sliced(e + 1).toInt() + 1; // digits before the point
    if (value == 0)
        pointAt = 1;
    const int keep = pointAt + decimals;
    if (keep < 0)
        return {QString(), QString(decimals, u'0')};
    if (keep < digits.size()) {
        const bool up = digits[keep] >= u'5';
        digits.truncate(keep);
        for (int at = keep - 1; up && at >= -1; --at) {
            if (at < 0) {
                digits.prepend(u'1');
                ++pointAt;
                break;
            }
            if (digits[at] == u'9') {
                digits[at] = u'0';
                continue;
            }
            digits[at] = QChar(digits[at].unicode() + 1);
            break;
        }
    }
    // Digits before the point as the value has them, zeros where it has none.
    if (pointAt <= 0) {
        digits.prepend(QString(-pointAt, u'0'));
        pointAt = 0;
    }
    while (digits.size() < pointAt + decimals)
        digits.append(u'0');
    QString integer = digits.left(pointAt);
    while (integer.startsWith(u'0'))
        integer.remove(0, 1);
    return {integer, digits.sliced(pointAt, decimals)};
}

// What a grouped-whole section shows of a whole number under 10^15.
QString groupedWholeText(qint64 whole, int zeroPlaces, bool minus) {
    char digits[kSignificantDigits + 1];
    int count = 0;
    for (; whole > 0; whole /= 10)
        digits[count++] = char('0' + whole % 10);
    const int shown = std::max(count, zeroPlaces);
    const int commas = shown > 0 ? (shown - 1) / 3 : 0;
    // Written in place: a ledger has an amount on every line.
    QString text(qsizetype(minus) + shown + commas, Qt::Uninitialized);
    QChar* out = text.data();
    if (minus)
        *out++ = u'-';
    for (int at = shown - 1; at >= 0; --at) {
        *out++ = at < count ? QChar(digits[at]) : QChar(u'0');
        if (at > 0 && at % 3 == 0)
            *out++ = u',';
    }
    return text;
}

QString grouped(const QString& digits) {
    QString text;
    for (qsizetype at = 0; at < digits.size(); ++at) {
        if (at > 0 && (digits.size() - at) % 3 == 0)
            text += u',';
        text += digits[at];
    }
    return text;
}

QString sectionText(double value, const Section& section, bool minus) {
    int integerPlaces = 0;
    int zeroPlaces = 0;
    int decimals = 0;
    for (const Piece& piece : section.pieces) {
        integerPlaces += piece.kind == Piece::IntegerPlace;
        zeroPlaces += piece.kind == Piece::IntegerPlace && piece.place == u'0';
        decimals += piece.kind == Piece::DecimalPlace;
    }
    value *= std::pow(100.0, section.percent) / std::pow(1000.0, section.scaleThousands);
    auto [integer, fraction] = roundedDigits(value, decimals);
    if (integer.size() < zeroPlaces)
        integer.prepend(QString(zeroPlaces - integer.size(), u'0'));
    // Trailing zeros show only in '0' places.
    qsizetype shownDecimals = fraction.size();
    for (qsizetype at = section.pieces.size() - 1; at >= 0 && shownDecimals > 0; --at) {
        const Piece& piece = section.pieces[at];
        if (piece.kind != Piece::DecimalPlace)
            continue;
        if (piece.place == u'0' || fraction[shownDecimals - 1] != u'0')
            break;
        --shownDecimals;
    }

    QString text = minus ? QStringLiteral("-") : QString();
    int integerSeen = 0;
    int decimalSeen = 0;
    const qsizetype extra = integer.size() - integerPlaces;
    for (const Piece& piece : section.pieces) {
        if (piece.kind == Piece::Text) {
            text += piece.text;
        } else if (piece.kind == Piece::IntegerPlace) {
            if (section.grouping) {
                if (integerSeen++ == 0)
                    text += grouped(integer);
                continue;
            }
            // Places are filled from the right; the first takes any digits
            // beyond them.
            const qsizetype from = integerSeen == 0 ? 0 : extra + integerSeen;
            const qsizetype to = extra + integerSeen + 1;
            if (to > 0)
                text +=
                    integer.sliced(std::max<qsizetype>(from, 0), to - std::max<qsizetype>(from, 0));
            ++integerSeen;
        } else if (decimalSeen < shownDecimals) {
            text += fraction[decimalSeen++];
        } else {
            ++decimalSeen;
            if (piece.place == u'?')
                text += u' ';
        }
    }
    // A point with no decimal shown after it stays, as a workbook shows it.
    return text;
}

} // namespace

QString generalNumberText(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("#NUM!");
    QString text = QString::number(value, 'g', kSignificantDigits);
    return text.replace(u'e', u'E');
}

NumberCode::NumberCode(QStringView code) {
    for (const QStringView text : sectionsOf(code)) {
        Section section = readSection(text);
        section.groupedWhole = section.grouping && section.scaleThousands == 0 &&
                               section.percent == 0 && !section.pieces.isEmpty();
        for (const Piece& piece : section.pieces) {
            section.groupedWhole =
                section.groupedWhole && piece.kind == Piece::IntegerPlace && piece.place != u'?';
            section.zeroPlaces += piece.kind == Piece::IntegerPlace && piece.place == u'0';
        }
        sections_.push_back(std::move(section));
    }
}

NumberCode::~NumberCode() = default;

QString NumberCode::text(double value) const {
    if (!std::isfinite(value))
        return generalNumberText(value);
    std::size_t chosen = 0;
    bool minus = value < 0;
    if (value < 0 && sections_.size() >= 2) {
        chosen = 1;
        minus = false;
    } else if (value == 0 && sections_.size() >= 3) {
        chosen = 2;
    }
    const Section& section = sections_[chosen];
    if (section.unsupported)
        return generalNumberText(value);
    bool hasPlace = false;
    for (const Piece& piece : section.pieces)
        hasPlace = hasPlace || piece.kind != Piece::Text;
    if (!hasPlace && chosen == 0)
        return generalNumberText(value);
    const double size = std::fabs(value);
    if (section.groupedWhole && size < kLargestExactWhole && size == std::floor(size))
        return groupedWholeText(static_cast<qint64>(size), section.zeroPlaces, minus);
    return sectionText(size, section, minus);
}

QString numberText(double value, QStringView code) {
    return NumberCode(code).text(value);
}

} // namespace tokivane
