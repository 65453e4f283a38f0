#include "date_forms.h"

#include "complete_date.h"

#include <algorithm>
#include <array>

namespace tokivane {

namespace {

using namespace std::chrono;

constexpr year kFirstYear{kCentury};
constexpr year kLastYear{kCentury + 99};

struct Era {
    QStringView letter;
    QStringView lowerLetter;
    QStringView name;
    sys_days first;
    sys_days last;
};

// 昭和 dates are all before 2000; they are read so as to say so.
constexpr std::array<Era, 3> kEras{{
    {u"S", u"s", u"昭和", sys_days{1926y / December / 25d}, sys_days{1989y / January / 7d}},
    {u"H", u"h", u"平成", sys_days{1989y / January / 8d}, sys_days{2019y / April / 30d}},
    {u"R", u"r", u"令和", sys_days{2019y / May / 1d}, sys_days{year::max() / December / 31d}},
}};

// Full-width ASCII (digits, ／, －, ．, ：, letters) and the ideographic
// space read as their plain forms; other characters stay.
char16_t folded(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
        return char16_t(u - 0xFF01 + 0x21);
    return u == 0x3000 ? u' ' : u;
}

bool isBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// Spreadsheets and exports wrap cells in quotes of several kinds.
bool isOpening(char16_t c) {
    return isBlank(c) || QStringView(u"\"'“”「『").contains(QChar(c));
}

bool isClosing(char16_t c) {
    return isBlank(c) || QStringView(u"\"'“”」』").contains(QChar(c));
}

// A cell read one folded character at a time, from left to right; reading
// past the end gives a character no form holds.
class Scanner {
  public:
    explicit Scanner(QStringView cell) : cell_(cell), end_(cell.size()) {
        while (at_ < end_ && isOpening(folded(cell_[at_])))
            ++at_;
        while (end_ > at_ && isClosing(folded(cell_[end_ - 1])))
            --end_;
    }

    bool atEnd() const { return at_ >= end_; }
    char16_t peek() const { return atEnd() ? u'\0' : folded(cell_[at_]); }
    qsizetype position() const { return at_; }
    void moveTo(qsizetype at) { at_ = at; }

    // What is left after the wrapping quotes, folded.
    QString text() const {
        QString text(end_ - at_, Qt::Uninitialized);
        for (qsizetype at = at_; at < end_; ++at)
            text[at - at_] = QChar(folded(cell_[at]));
        return text;
    }

    bool take(char16_t c) {
        if (peek() != c)
            return false;
        ++at_;
        return true;
    }

    bool take(QStringView word) {
        for (qsizetype at = 0; at < word.size(); ++at)
            if (at_ + at >= end_ || folded(cell_[at_ + at]) != word[at].unicode())
                return false;
        at_ += word.size();
        return true;
    }

    bool isDigit() const { return peek() >= u'0' && peek() <= u'9'; }

    // From `least` to `most` (at most four) ASCII digits; -1 when fewer.
    int number(int least, int most) {
        int value = 0;
        int digits = 0;
        for (; digits < most && isDigit(); ++digits, ++at_)
            value = value * 10 + (peek() - u'0');
        return digits >= least ? value : -1;
    }

    // Any number of digits, none to be read; false when there is none.
    bool skipDigits() {
        const qsizetype from = at_;
        while (isDigit())
            ++at_;
        return at_ > from;
    }

  private:
    QStringView cell_;
    qsizetype at_ = 0;
    qsizetype end_;
};

// Month and day after a year: "/m/d", "-m-d" or ".m.d" with one separator,
// or "m月d日" after "年".
struct MonthDay {
    int month = -1;
    int day = -1;
};

MonthDay separatedMonthDay(Scanner& scan) {
    const char16_t separator = scan.peek();
    if (separator != u'/' && separator != u'.' && separator != u'-')
        return {};
    scan.take(separator);
    const int month = scan.number(1, 2);
    if (month < 0 || !scan.take(separator))
        return {};
    return {month, scan.number(1, 2)};
}

MonthDay kanjiMonthDay(Scanner& scan) {
    if (!scan.take(u'年'))
        return {};
    const int month = scan.number(1, 2);
    if (month < 0 || !scan.take(u'月'))
        return {};
    const int day = scan.number(1, 2);
    if (day < 0 || !scan.take(u'日'))
        return {};
    return {month, day};
}

// An optional time after the date (" 0:00", "T09:30:00", "T09:30:00.000Z")
// that plays no part, then the end of the cell.
bool endsWithTimeAtMost(Scanner& scan) {
    if (scan.atEnd())
        return true;
    if (scan.peek() != u' ' && scan.peek() != u'T')
        return false;
    while (scan.take(u' ') || scan.take(u'T')) {
    }
    if (scan.number(1, 2) < 0 || !scan.take(u':') || scan.number(2, 2) < 0)
        return false;
    if (scan.take(u':')) {
        if (scan.number(2, 2) < 0)
            return false;
        if (scan.take(u'.') && !scan.skipDigits())
            return false;
    }
    scan.take(u'Z');
    return scan.atEnd();
}

// "d", "m/d" or "y/m/d" with one or two digits each.
bool isCompletionForm(Scanner scan) {
    for (int field = 0; field < 3; ++field) {
        if (scan.number(1, 2) < 0)
            return false;
        if (scan.atEnd())
            return true;
        if (!scan.take(u'/'))
            return false;
    }
    return false;
}

year_month_day dateOf(int y, int m, int d) {
    return {year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
}

DateReading checked(int y, int m, int d) {
    const year_month_day date = dateOf(y, m, d);
    if (!date.ok())
        return {std::nullopt, Unread::ImpossibleDate, true};
    if (date.year() < kFirstYear || date.year() > kLastYear)
        return {std::nullopt, Unread::OutsideYears, true};
    return {date, Unread::None, true};
}

// "2025/11/20", "2025-11-20", "2025.11.20", "20251120", "2025年11月20日".
std::optional<DateReading> yearFirst(Scanner scan) {
    const int y = scan.number(4, 4);
    if (y < 0)
        return std::nullopt;
    const qsizetype afterYear = scan.position();
    MonthDay monthDay = separatedMonthDay(scan);
    if (monthDay.day < 0) {
        scan.moveTo(afterYear);
        const int month = scan.number(2, 2);
        monthDay = {month, month < 0 ? -1 : scan.number(2, 2)};
    }
    if (monthDay.day < 0) {
        scan.moveTo(afterYear);
        monthDay = kanjiMonthDay(scan);
    }
    if (monthDay.day < 0 || !endsWithTimeAtMost(scan))
        return std::nullopt;
    return checked(y, monthDay.month, monthDay.day);
}

// "R7.11.20", "R7/11/20", "令和7年11月20日", "令和元年5月1日", "H31.4.30",
// "S64.1.7".
std::optional<DateReading> eraDate(Scanner scan) {
    const auto era = std::ranges::find_if(kEras, [&scan](const Era& candidate) {
        return scan.take(candidate.letter) || scan.take(candidate.lowerLetter) ||
               scan.take(candidate.name);
    });
    if (era == kEras.end())
        return std::nullopt;
    const int yearOfEra = scan.take(u'元') ? 1 : scan.number(1, 2);
    if (yearOfEra < 0)
        return std::nullopt;
    const qsizetype afterYear = scan.position();
    MonthDay monthDay = separatedMonthDay(scan);
    if (monthDay.day < 0) {
        scan.moveTo(afterYear);
        monthDay = kanjiMonthDay(scan);
    }
    if (monthDay.day < 0 || !endsWithTimeAtMost(scan))
        return std::nullopt;
    if (yearOfEra < 1)
        return DateReading{std::nullopt, Unread::OutsideEra, true};
    const int y = static_cast<int>(year_month_day{era->first}.year()) + yearOfEra - 1;
    // A date its era never had is refused as such before its year is judged:
    // 昭和64年1月8日 never was, though 1989 is as far outside the years as
    // 昭和64年1月7日.
    const year_month_day date = dateOf(y, monthDay.month, monthDay.day);
    if (date.ok() && (sys_days{date} < era->first || sys_days{date} > era->last))
        return DateReading{std::nullopt, Unread::OutsideEra, true};
    return checked(y, monthDay.month, monthDay.day);
}

// As Enter in the record date box would complete it; only a real date counts.
DateReading completed(const QString& text, const Clock& clock) {
    const bool full = text.count(u'/') == 2;
    const auto date = dateOfDateText(completedDate(text, clock));
    if (!date)
        return {std::nullopt, Unread::ImpossibleDate, full};
    return {date, Unread::None, full};
}

} // namespace

QString unreadNote(Unread why) {
    switch (why) {
    case Unread::None:
        return {};
    case Unread::EmptyLine:
        return QStringLiteral("空行");
    case Unread::NotADate:
        return QStringLiteral("日付ではありません");
    case Unread::ImpossibleDate:
        return QStringLiteral("存在しない日付です");
    case Unread::OutsideYears:
        return QStringLiteral("2000～2099年の範囲外です");
    case Unread::OutsideEra:
        return QStringLiteral("元号の範囲外です");
    }
    return {};
}

DateReading readDateForm(QStringView cell, const Clock& clock) {
    const Scanner scan(cell);
    if (isCompletionForm(scan))
        return completed(scan.text(), clock);
    if (auto reading = yearFirst(scan))
        return *reading;
    if (auto reading = eraDate(scan))
        return *reading;
    return {std::nullopt, Unread::NotADate, false};
}

} // namespace tokivane
