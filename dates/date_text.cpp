#include "dates/date_text.h"

#include "dates/text_chars.h"

#include <algorithm>
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

QString twoDigitText(int n) {
    return (QStringLiteral("00") + QString::number(n)).right(2);
}

QString assembleDateText(int year, int month, int day) {
    return twoDigitText(year) + u'/' + twoDigitText(month) + u'/' + twoDigitText(day);
}

QString comparisonKey(QStringView text) {
    const std::u32string chars = toChars(text);
    const std::u32string_view view{chars};
    auto slice = [&](std::size_t from) {
        return from < view.size() ? view.substr(from, 2) : std::u32string_view{};
    };
    std::u32string key;
    key.append(slice(0)).append(slice(3)).append(slice(6));
    return fromChars(key);
}

} // namespace tokivane
