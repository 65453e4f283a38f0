#include "cell_text.h"

#include "number_text.h"
#include "text_escapes.h"

#include <algorithm>

namespace tokivane {

namespace {

constexpr int kMaxColumns = 16384;
constexpr int kMaxRows = 1048576;
constexpr int kLetters = 26;
constexpr char16_t kLowerCaseBit = 0x20; // of an ASCII letter

QString textOfNumber(double number, const NumberFormat& format, DateSystem dates) {
    switch (format.kind) {
    case FormatKind::Date:
        // Not value_or: General text is costly, and dates seldom need it.
        if (auto date = dateTextOfSerial(number, dates))
            return std::move(*date);
        break;
    case FormatKind::Time:
        return timeTextOfSerial(number, format.seconds, format.elapsed);
    case FormatKind::Number:
        return format.number ? format.number->text(number) : numberText(number, format.code);
    case FormatKind::General:
    case FormatKind::Text:
        break;
    }
    return generalNumberText(number);
}

} // namespace

std::optional<qint64> digitsValue(QStringView text) {
    if (text.isEmpty() || text.size() > kSignificantDigits)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

bool isShownAsGeneral(QStringView value) {
    const bool negative = value.startsWith(u'-');
    const QStringView digits = negative ? value.sliced(1) : value;
    const qsizetype point = digits.indexOf(u'.');
    const QStringView integer = point < 0 ? digits : digits.first(point);
    const QStringView fraction = point < 0 ? QStringView() : digits.sliced(point + 1);
    const auto decimal = [](QStringView part) {
        return std::all_of(part.begin(), part.end(),
                           [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    if (integer.isEmpty() || !decimal(integer) || !decimal(fraction) ||
        (point >= 0 && (fraction.isEmpty() || fraction.endsWith(u'0'))))
        return false;
    if (integer != u"0")
        return !integer.startsWith(u'0') && integer.size() + fraction.size() <= kSignificantDigits;
    // Zero itself, unsigned, or a fraction from a tenth up.
    return point < 0 ? !negative
                     : !fraction.startsWith(u'0') && fraction.size() <= kSignificantDigits;
}

namespace {

qsizetype lettersAtStart(QStringView reference) {
    qsizetype count = 0;
    while (count < reference.size() && reference[count].isLetter() &&
           reference[count].unicode() < 128)
        ++count;
    return count;
}

} // namespace

std::optional<QString> textOfCell(const SheetCell& cell, const QStringList& sharedStrings,
                                  DateSystem dates) {
    if (cell.type == u"s") {
        const auto at = sharedStringIndex(cell.value, sharedStrings.size());
        if (!at)
            return std::nullopt;
        return sharedStrings[*at];
    }
    if (cell.type == u"inlineStr" || cell.type == u"str")
        return unescapedText(cell.value.toString());
    if (cell.type == u"b")
        return cell.value == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (cell.type == u"e" || cell.value.isEmpty())
        return cell.value.toString();
    if (cell.type == u"d") {
        const auto date = dateOfIsoText(cell.value);
        return date ? slashedDate(*date) : cell.value.toString();
    }
    const bool negative = cell.value.startsWith(u'-');
    double value = 0;
    if (const auto whole = digitsValue(negative ? cell.value.sliced(1) : cell.value)) {
        value = negative ? -double(*whole) : double(*whole);
    } else {
        bool number = false;
        value = cell.value.toDouble(&number);
        if (!number)
            return cell.value.toString();
    }
    return textOfNumber(value, cell.format ? *cell.format : NumberFormat{}, dates);
}

std::optional<qsizetype> sharedStringIndex(QStringView value, qsizetype count) {
    bool ok = true;
    const auto digits = digitsValue(value);
    const qsizetype at = digits ? *digits : value.toLongLong(&ok);
    if (!ok || at < 0 || at >= count)
        return std::nullopt;
    return at;
}

std::optional<int> columnOfReference(QStringView reference) {
    const qsizetype letters = lettersAtStart(reference);
    if (letters == 0 || letters > 3)
        return std::nullopt;
    int column = 0;
    for (qsizetype at = 0; at < letters; ++at)
        column = column * kLetters + ((reference[at].unicode() & ~kLowerCaseBit) - u'A' + 1);
    if (column > kMaxColumns)
        return std::nullopt;
    return column - 1;
}

std::optional<int> rowOfReference(QStringView reference) {
    const QStringView digits = reference.sliced(lettersAtStart(reference));
    bool ok = true;
    const auto value = digitsValue(digits);
    const qint64 row = value ? *value : digits.toInt(&ok);
    if (!ok || row < 1 || row > kMaxRows)
        return std::nullopt;
    return int(row);
}

} // namespace tokivane
