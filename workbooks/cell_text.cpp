#include "cell_text.h"

#include "number_text.h"
#include "text_escapes.h"

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

namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Read alike from a sheet's text and from its plain bytes.
template <typename View> std::optional<qint64> digitsOf(View text) {
    if (text.isEmpty() || text.size() > kSignificantDigits)
        return std::nullopt;
    qint64 value = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t c = text[at].unicode();
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return value;
}

template <typename View> std::optional<double> wholeOf(View text) {
    const bool negative = !text.isEmpty() && text[0].unicode() == u'-';
    const auto whole = digitsOf(negative ? text.sliced(1) : text);
    if (!whole)
        return std::nullopt;
    return negative ? -double(*whole) : double(*whole);
}

template <typename View> bool stringType(View type) {
    return type == QLatin1StringView("inlineStr") || type == QLatin1StringView("str");
}

template <typename View> bool allDigits(View text) {
    for (qsizetype at = 0; at < text.size(); ++at)
        if (!isDigit(text[at].unicode()))
            return false;
    return true;
}

template <typename View> bool shownAsGeneral(View value) {
    const bool negative = !value.isEmpty() && value[0].unicode() == u'-';
    const View digits = negative ? value.sliced(1) : value;
    qsizetype point = 0;
    while (point < digits.size() && digits[point].unicode() != u'.')
        ++point;
    const bool hasPoint = point < digits.size();
    const View integer = digits.first(point);
    const View fraction = hasPoint ? digits.sliced(point + 1) : View();
    const auto startsWithZero = [](View part) {
        return !part.isEmpty() && part[0].unicode() == u'0';
    };
    if (integer.isEmpty() || !allDigits(integer) || !allDigits(fraction) ||
        (hasPoint && (fraction.isEmpty() || fraction[fraction.size() - 1].unicode() == u'0')))
        return false;
    if (integer.size() != 1 || !startsWithZero(integer))
        return !startsWithZero(integer) && integer.size() + fraction.size() <= kSignificantDigits;
    // Zero itself, unsigned, or a fraction from a tenth up.
    return !hasPoint ? !negative
                     : !startsWithZero(fraction) && fraction.size() <= kSignificantDigits;
}

template <typename View> qsizetype lettersAtStart(View reference) {
    qsizetype count = 0;
    while (count < reference.size()) {
        const char16_t c = reference[count].unicode() & ~kLowerCaseBit;
        if (c < u'A' || c > u'Z')
            break;
        ++count;
    }
    return count;
}

template <typename View> std::optional<int> columnOf(View reference) {
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

} // namespace

std::optional<qint64> digitsValue(QStringView text) {
    return digitsOf(text);
}

std::optional<qint64> digitsValue(QLatin1StringView text) {
    return digitsOf(text);
}

std::optional<double> wholeNumberValue(QStringView text) {
    return wholeOf(text);
}

std::optional<double> wholeNumberValue(QLatin1StringView text) {
    return wholeOf(text);
}

bool isStringType(QStringView type) {
    return stringType(type);
}

bool isStringType(QLatin1StringView type) {
    return stringType(type);
}

bool isShownAsGeneral(QStringView value) {
    return shownAsGeneral(value);
}

bool isShownAsGeneral(QLatin1StringView value) {
    return shownAsGeneral(value);
}

std::optional<QString> textOfCell(const SheetCell& cell, const QStringList& sharedStrings,
                                  DateSystem dates) {
    if (cell.type == u"s") {
        const auto at = sharedStringIndex(cell.value, sharedStrings.size());
        if (!at)
            return std::nullopt;
        return sharedStrings[*at];
    }
    if (isStringType(cell.type))
        return unescapedText(cell.value.toString());
    if (cell.type == u"b")
        return cell.value == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (cell.type == u"e" || cell.value.isEmpty())
        return cell.value.toString();
    if (cell.type == u"d") {
        const auto date = dateOfIsoText(cell.value);
        return date ? slashedDate(*date) : cell.value.toString();
    }
    double value = 0;
    if (const auto whole = wholeNumberValue(cell.value)) {
        value = *whole;
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
    return columnOf(reference);
}

std::optional<int> columnOfReference(QLatin1StringView reference) {
    return columnOf(reference);
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
