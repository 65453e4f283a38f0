#include "dates/complete_date.h"

#include "dates/date_text.h"
#include "dates/text_chars.h"

#include <algorithm>
#include <array>

namespace tokivane {

namespace {

using Chars = std::u32string;

constexpr char32_t kSlash = U'/';

// Japanese input methods type full-width digits and slashes.
Chars toHalfWidth(Chars chars) {
    for (char32_t& c : chars) {
        if (c >= U'０' && c <= U'９')
            c = U'0' + (c - U'０');
        else if (c == U'／')
            c = kSlash;
    }
    return chars;
}

// The last two characters of "00" followed by the part.
Chars twoCharField(std::u32string_view part) {
    Chars padded = U"00";
    padded.append(part);
    return padded.substr(padded.size() - 2);
}

Chars buildResult(const Chars& typed, const Chars& today) {
    std::array<std::size_t, 2> slash{};
    const auto slashes = std::count(typed.begin(), typed.end(), kSlash);
    if (slashes == 0)
        return today.substr(0, 6) + twoCharField(typed);
    const std::u32string_view view{typed};
    slash[0] = view.find(kSlash);
    if (slashes == 1) {
        return today.substr(0, 2) + kSlash + twoCharField(view.substr(0, slash[0])) + kSlash +
               twoCharField(view.substr(slash[0] + 1));
    }
    slash[1] = view.find(kSlash, slash[0] + 1);
    std::u32string_view day = view.substr(slash[1] + 1);
    if (const auto extra = day.find(kSlash); extra != std::u32string_view::npos)
        day = day.substr(extra + 1);
    return twoCharField(view.substr(0, slash[0])) + kSlash +
           twoCharField(view.substr(slash[0] + 1, slash[1] - slash[0] - 1)) + kSlash +
           twoCharField(day);
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
bool isLeapYearText(const Chars& result) {
    return leadingNumber(fromChars(result.substr(0, 2))) % 4 == 0;
}

void correctMonthEnd(Chars& result) {
    const bool leap = isLeapYearText(result);
    const std::u32string_view monthDay = std::u32string_view{result}.substr(3);
    for (const MonthEnd& end : kMonthEnds) {
        if (monthDay == end.impossible) {
            result.replace(3, 5, leap ? end.leapYear : end.commonYear);
            return;
        }
    }
}

} // namespace

void CompleteDate(QString& text, const Clock& clock) {
    const Chars today = toChars(dateTextOf(clock.today()));
    if (text.isEmpty()) {
        text = fromChars(today);
        return;
    }
    Chars result = buildResult(toHalfWidth(toChars(text)), today);
    correctMonthEnd(result);
    text = fromChars(result);
}

} // namespace tokivane
