#include "complete_date.h"

#include "date_text.h"
#include "text_chars.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tokivane {

namespace {

// The completed text, one character per element: "yy/mm/dd".
using Result = std::array<char32_t, 8>;

constexpr char32_t kSlash = U'/';
constexpr auto npos = std::u32string_view::npos;

// Japanese input methods type full-width digits and slashes.
constexpr char32_t halfWidth(char32_t c) {
    if (c >= U'０' && c <= U'９')
        return U'0' + (c - U'０');
    return c == U'／' ? kSlash : c;
}

// Writes the last two characters of "00" followed by the part.
void putField(Result& result, std::size_t at, std::u32string_view part) {
    result[at] = part.size() >= 2 ? part[part.size() - 2] : U'0';
    result[at + 1] = part.empty() ? U'0' : part.back();
}

// A day alone, a month and day, or year, month and day; what is missing
// comes from today.
Result buildResult(std::u32string_view typed, const Result& today) {
    Result result = today;
    const std::size_t first = typed.find(kSlash);
    if (first == npos) {
        putField(result, 6, typed);
        return result;
    }
    const std::size_t second = typed.find(kSlash, first + 1);
    if (second == npos) {
        putField(result, 3, typed.substr(0, first));
        putField(result, 6, typed.substr(first + 1));
        return result;
    }
    auto day = typed.substr(second + 1);
    if (const std::size_t extra = day.find(kSlash); extra != npos)
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

// Within 2000-2099 every fourth year is a leap year, 2000 included.
bool isLeapYear(const Result& result) {
    return leadingNumber(fromChars(std::u32string_view(result.data(), 2))) % 4 == 0;
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

Result todayText(const Clock& clock) {
    const std::u32string today = toChars(dateTextOf(clock.today()));
    Result text{};
    std::copy_n(today.begin(), text.size(), text.begin());
    return text;
}

} // namespace

void CompleteDate(QString& text, const Clock& clock) {
    if (text.isEmpty()) { // Enter alone
        text = dateTextOf(clock.today());
        return;
    }
    std::u32string typed = toChars(text);
    std::ranges::transform(typed, typed.begin(), halfWidth);
    Result result = buildResult(typed, todayText(clock));
    correctMonthEnd(result);
    text = fromChars(std::u32string_view(result.data(), result.size()));
}

QString completedDate(QString text, const Clock& clock) {
    CompleteDate(text, clock);
    return text;
}

} // namespace tokivane
