#include "date_text.h"

#include "text_chars.h"

#include <QStringBuilder>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace tokivane {

namespace {

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Reads one to `maxDigits` ASCII digits at `pos`, advancing it.
std::optional<unsigned> readNumber(QStringView text, qsizetype& pos, int minDigits, int maxDigits) {
    unsigned value = 0;
    int count = 0;
    while (pos < text.size() && count < maxDigits && isAsciiDigit(text[pos])) {
        value = value * 10 + static_cast<unsigned>(text[pos].unicode() - u'0');
        ++pos;
        ++count;
    }
    if (count < minDigits)
        return std::nullopt;
    return value;
}

bool readSlash(QStringView text, qsizetype& pos) {
    if (pos >= text.size() || text[pos] != u'/')
        return false;
    ++pos;
    return true;
}

} // namespace

std::optional<Date> dateOfDateText(QStringView text) {
    qsizetype pos = 0;
    const auto yy = readNumber(text, pos, 2, 2);
    if (!yy || !readSlash(text, pos))
        return std::nullopt;
    const auto mm = readNumber(text, pos, 1, 2);
    if (!mm || !readSlash(text, pos))
        return std::nullopt;
    const auto dd = readNumber(text, pos, 1, 2);
    if (!dd || pos != text.size())
        return std::nullopt;
    const Date date{std::chrono::year{kCentury + static_cast<int>(*yy)}, std::chrono::month{*mm},
                    std::chrono::day{*dd}};
    if (!date.ok())
        return std::nullopt;
    return date;
}

QString dateTextOf(Date date) {
    return assembleDateText(static_cast<int>(date.year()) % 100,
                            static_cast<int>(static_cast<unsigned>(date.month())),
                            static_cast<int>(static_cast<unsigned>(date.day())));
}

std::optional<QString> canonicalDateText(QStringView text) {
    const auto date = dateOfDateText(text);
    if (!date)
        return std::nullopt;
    return dateTextOf(*date);
}

Date daysBefore(Date date, int days) {
    return Date{std::chrono::sys_days{date} - std::chrono::days{days}};
}

std::int16_t leadingNumber(QStringView text) {
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    const bool negative = pos < text.size() && text[pos] == u'-';
    if (negative)
        ++pos;
    long value = 0;
    constexpr long limit = std::numeric_limits<std::int16_t>::max() + 1L;
    for (; pos < text.size() && isAsciiDigit(text[pos]); ++pos)
        value = std::min(limit, value * 10 + (text[pos].unicode() - u'0'));
    const long signedValue = negative ? -value : value;
    return static_cast<std::int16_t>(std::clamp<long>(signedValue,
                                                      std::numeric_limits<std::int16_t>::min(),
                                                      std::numeric_limits<std::int16_t>::max()));
}

namespace {

// The last two characters of "00" followed by the digits of n, written at `out`.
void writeTwoDigits(char16_t* out, int n) {
    if (n < 0 && n > -10) {
        out[0] = u'-';
        out[1] = static_cast<char16_t>(u'0' - n);
        return;
    }
    const int lastTwo = std::abs(n % 100);
    out[0] = static_cast<char16_t>(u'0' + lastTwo / 10);
    out[1] = static_cast<char16_t>(u'0' + lastTwo % 10);
}

QString fromUnits(const char16_t* units, qsizetype size) {
    return QString(reinterpret_cast<const QChar*>(units), size);
}

} // namespace

QString twoDigitText(int n) {
    std::array<char16_t, 2> text{};
    writeTwoDigits(text.data(), n);
    return fromUnits(text.data(), text.size());
}

QString assembleDateText(int year, int month, int day) {
    std::array<char16_t, 8> text{u'0', u'0', u'/', u'0', u'0', u'/', u'0', u'0'};
    writeTwoDigits(&text[0], year);
    writeTwoDigits(&text[3], month);
    writeTwoDigits(&text[6], day);
    return fromUnits(text.data(), text.size());
}

QString comparisonKey(QStringView text) {
    return charSlice(text, 0, 2) % charSlice(text, 3, 2) % charSlice(text, 6, 2);
}

std::strong_ordering compareKeys(QStringView a, QStringView b) {
    // By UTF-16 unit, like every other text comparison of the program.
    return QString::compare(comparisonKey(a), comparisonKey(b)) <=> 0;
}

} // namespace tokivane
