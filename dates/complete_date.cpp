#include "dates/complete_date.h"

#include "dates/date_text.h"
#include "dates/text_chars.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

namespace tokivane {

namespace {

// The completed text, one character per element: "yy/mm/dd".
using Result = std::array<char32_t, 8>;

constexpr char32_t kSlash = U'/';

// Japanese input methods type full-width digits and slashes.
constexpr char32_t halfWidth(char32_t c) {
    if (c >= U'０' && c <= U'９')
        return U'0' + (c - U'０');
    return c == U'／' ? kSlash : c;
}

template <typename Char>
std::size_t findSlash(std::basic_string_view<Char> text, std::size_t from) {
    const auto it = std::find_if(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                 [](Char c) { return halfWidth(c) == kSlash; });
    return it == text.end() ? std::basic_string_view<Char>::npos
                            : static_cast<std::size_t>(it - text.begin());
}

// Writes the last two characters of "00" followed by the part.
template <typename Char>
void putField(Result& result, std::size_t at, std::basic_string_view<Char> part) {
    result[at] = part.size() >= 2 ? halfWidth(part[part.size() - 2]) : U'0';
    result[at + 1] = part.empty() ? U'0' : halfWidth(part.back());
}

// A day alone, a month and day, or year, month and day; what is missing
// comes from today.
template <typename Char>
Result buildResult(std::basic_string_view<Char> typed, const Result& today) {
    constexpr auto npos = std::basic_string_view<Char>::npos;
    Result result = today;
    const std::size_t first = findSlash(typed, 0);
    if (first == npos) {
        putField(result, 6, typed);
        return result;
    }
    const std::size_t second = findSlash(typed, first + 1);
    if (second == npos) {
        putField(result, 3, typed.substr(0, first));
        putField(result, 6, typed.substr(first + 1));
        return result;
    }
    auto day = typed.substr(second + 1);
    if (const std::size_t extra = findSlash(day, 0); extra != npos)
        day = day.substr(extra + 1);
    putField(result, 0, typed.substr(0, first));
    result[2] = kSlash;
    putField(result, 3, typed.substr(first + 1, second - first - 1));
    result[5] = kSlash;
    putField(result, 6, day);
    return result;
}

struct MonthEnd {
    std::u32string_view impossible;
    std::u32string_view leapYear;
    std::u32string_view commonYear;
};

// Month ends that do not exist, with the last day that stands in for them.
constexpr std::array<MonthEnd, 7> kMonthEnds{{
    {U"02/31", U"02/29", U"02/28"},
    {U"02/30", U"02/29", U"02/28"},
    {U"02/29", U"02/29", U"02/28"},
    {U"04/31", U"04/30", U"04/30"},
    {U"06/31", U"06/30", U"06/30"},
    {U"09/31", U"09/30", U"09/30"},
    {U"11/31", U"11/30", U"11/30"},
}};

// Within 2000-2099 every fourth year is a leap year, 2000 included. A
// character outside the BMP is no digit, so it reads like any other letter.
bool isLeapYear(const Result& result) {
    const auto bmp = [](char32_t c) { return c > 0xFFFF ? u'?' : static_cast<char16_t>(c); };
    const std::array<char16_t, 2> year{bmp(result[0]), bmp(result[1])};
    return leadingNumber(QStringView(year.data(), 2)) % 4 == 0;
}

void correctMonthEnd(Result& result) {
    const std::u32string_view monthDay(result.data() + 3, 5);
    for (const MonthEnd& end : kMonthEnds) {
        if (monthDay == end.impossible) {
            const std::u32string_view last = isLeapYear(result) ? end.leapYear : end.commonYear;
            std::copy(last.begin(), last.end(), result.begin() + 3);
            return;
        }
    }
}

// Today's date text, written straight into characters: completion runs often
// inside the calculators, so it avoids building a string for it.
Result todayText(const Clock& clock) {
    const Date today = clock.today();
    const auto digits = [](int value, char32_t* out) {
        out[0] = U'0' + static_cast<char32_t>(value / 10);
        out[1] = U'0' + static_cast<char32_t>(value % 10);
    };
    Result text{U'0', U'0', kSlash, U'0', U'0', kSlash, U'0', U'0'};
    digits(std::abs(static_cast<int>(today.year()) % 100), &text[0]);
    digits(static_cast<int>(static_cast<unsigned>(today.month())), &text[3]);
    digits(static_cast<int>(static_cast<unsigned>(today.day())), &text[6]);
    return text;
}

bool hasSurrogates(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
}

} // namespace

void CompleteDate(QString& text, const Clock& clock) {
    const Result today = todayText(clock);
    Result result = today;
    if (!text.isEmpty()) {
        // Most texts are plain UTF-16 and are read in place; only texts with
        // surrogates are turned into characters first.
        result =
            hasSurrogates(text)
                ? buildResult<char32_t>(toChars(text), today)
                : buildResult<char16_t>(std::u16string_view(QStringView(text).utf16(),
                                                            static_cast<std::size_t>(text.size())),
                                        today);
        correctMonthEnd(result);
    }
    text = fromChars(std::u32string_view(result.data(), result.size()));
}

} // namespace tokivane
