#include "terms_phrase.h"

#include <QList>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <initializer_list>

namespace tokivane {

namespace {

// A day the month may lack; as a pay day it means the month's last.
constexpr int kLastCalendarDay = 31;
// Numbers stop growing here, above every limit, so a long run of digits
// cannot overflow and is still refused as too large.
constexpr int kNumberCap = 100000;
// Characters a phrase is read in without allocating.
constexpr qsizetype kShortPhrase = 64;
// Longest quotation of the text in a message.
constexpr qsizetype kMaxQuote = 20;

// Words are matched longest first wherever one starts another.
constexpr std::array<QStringView, 8> kClosingWords{u"締め切り", u"締切り", u"〆切り", u"締切",
                                                   u"〆切",     u"締め",   u"締",     u"〆"};
constexpr std::array<QStringView, 3> kMonthEndWords{u"月末", u"末日", u"末"};
constexpr std::array<QStringView, 2> kPayDayEndWords{u"末日", u"末"};
constexpr QStringView kPerRecord = u"都度";
constexpr QStringView kEveryMonth = u"毎月";
constexpr std::array<QStringView, 4> kClosingStarts{kPerRecord, kEveryMonth, u"月末", u"末"};
constexpr std::array<QStringView, 2> kMonthStarts{u"当", u"翌"};
constexpr std::array<QStringView, 6> kMonthCounters{u"か", u"ヶ", u"カ", u"ケ", u"ヵ", u"箇"};
constexpr std::array<QStringView, 2> kAfterWords{u"後", u"サイト"};
// What the pay day is called after it: paid, received or transferred.
constexpr std::array<QStringView, 8> kPayWords{u"支払い", u"支払", u"払い",   u"払",
                                               u"入金",   u"回収", u"振込み", u"振込"};
constexpr std::array<QStringView, 6> kHolidayWords{u"銀行休業日", u"土日祝日", u"土日祝",
                                                   u"休日",       u"祝日",     u"土日"};
constexpr std::array<QStringView, 3> kMonthNames{u"当月", u"翌月", u"翌々月"};

// What a message says was expected where reading stopped; %1 is a limit.
constexpr QStringView kExpectedPart = u"（書けるのは締日・支払日・休日の扱い）";
constexpr QStringView kExpectedClosing = u"（締日は1日〜%1日・月末・都度）";
constexpr QStringView kExpectedMonth = u"（月は当月・翌月・翌々月・Nか月後）";
constexpr QStringView kExpectedMonths = u"（Nか月後のNは1〜%1）";
constexpr QStringView kExpectedPayDay = u"（日は1日〜%1日・末日）";
constexpr QStringView kExpectedDays = u"（日数は1〜%1日）";
constexpr QStringView kExpectedRule = u"（休日は前営業日・翌営業日・そのまま）";

struct RuleWord {
    QStringView word;
    HolidayRule rule;
};

constexpr std::array<RuleWord, 3> kRuleWords{{
    {u"前営業日", HolidayRule::PreviousBusinessDay},
    {u"翌営業日", HolidayRule::NextBusinessDay},
    {u"そのまま", HolidayRule::Unchanged},
}};

// Full-width ASCII reads as ASCII: "２０日" is "20日", "（" is "(".
char16_t folded(QChar c) {
    const char16_t u = c.unicode();
    return u >= 0xFF01 && u <= 0xFF5E ? char16_t(u - 0xFF01 + 0x21) : u;
}

bool isBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u3000' || c == u'\u00A0';
}

bool isSeparator(char16_t c) {
    return QStringView(u"、,・()").contains(QChar(c));
}

// The phrase with blanks taken out and full-width ASCII folded, read left to
// right; each character remembers where it stands in the text.
class Scanner {
  public:
    explicit Scanner(QStringView text) : text_(text) {
        chars_.reserve(text.size());
        origins_.reserve(text.size());
        for (qsizetype at = 0; at < text.size(); ++at) {
            const char16_t c = folded(text[at]);
            if (!isBlank(c)) {
                chars_.append(QChar(c));
                origins_.append(at);
            }
        }
    }

    QStringView text() const { return text_; }
    bool atEnd() const { return next_ >= chars_.size(); }
    qsizetype mark() const { return next_; }
    void moveTo(qsizetype mark) { next_ = mark; }
    // Where a mark stands in the text; the end of the text past the last character.
    qsizetype positionOf(qsizetype mark) const {
        return mark < origins_.size() ? origins_[mark] : text_.size();
    }
    // Just after the last character read.
    qsizetype readEnd() const { return next_ > 0 ? origins_[next_ - 1] + 1 : 0; }

    // Compared character by character: a phrase is tried against many short
    // words, where a general string comparison costs more than the words.
    bool sees(QStringView word) const {
        return chars_.size() - next_ >= word.size() &&
               std::equal(word.begin(), word.end(), chars_.begin() + next_);
    }
    bool take(QStringView word) {
        if (!sees(word))
            return false;
        next_ += word.size();
        return true;
    }
    template <std::size_t N> bool seesAny(const std::array<QStringView, N>& words) const {
        for (QStringView word : words)
            if (sees(word))
                return true;
        return false;
    }
    template <std::size_t N> bool takeAny(const std::array<QStringView, N>& words) {
        for (QStringView word : words)
            if (take(word))
                return true;
        return false;
    }
    void skipSeparators() {
        while (!atEnd() && isSeparator(chars_[next_].unicode()))
            ++next_;
    }

    bool seesDigit() const { return !atEnd() && chars_[next_] >= u'0' && chars_[next_] <= u'9'; }
    // Decimal digits as a number, at most kNumberCap; -1 when there are none.
    int number() {
        if (!seesDigit())
            return -1;
        int value = 0;
        for (; seesDigit(); ++next_)
            value = std::min(value * 10 + (chars_[next_].unicode() - u'0'), kNumberCap);
        return value;
    }

  private:
    QStringView text_;
    // Phrases are short: most are read without allocating.
    QVarLengthArray<QChar, kShortPhrase> chars_;
    QVarLengthArray<qsizetype, kShortPhrase> origins_;
    qsizetype next_ = 0;
};

QString joined(std::initializer_list<QStringView> pieces) {
    QString text;
    for (QStringView piece : pieces)
        text.append(piece);
    return text;
}

// A slice of the text in 「」, cut short (never inside a surrogate pair).
QString quoted(QStringView text) {
    text = text.trimmed();
    if (text.size() <= kMaxQuote)
        return joined({u"「", text, u"」"});
    const qsizetype cut = text[kMaxQuote - 1].isHighSurrogate() ? kMaxQuote - 1 : kMaxQuote;
    return joined({u"「", text.first(cut), u"…」"});
}

// The end of the word at `from`: the next blank or separator after it.
qsizetype wordEnd(QStringView text, qsizetype from) {
    const qsizetype last = std::min(text.size(), from + kMaxQuote + 1);
    qsizetype end = std::min(from + 1, text.size());
    while (end < last && !isBlank(folded(text[end])) && !isSeparator(folded(text[end])))
        ++end;
    return end;
}

// The phrase being read, and why reading stopped once it has.
struct Reading {
    Scanner scan;
    std::optional<TermsPhraseError> error;
    // Whether a refusal says why; reading a million cells need not.
    bool describe = true;

    // Stops in the part that began at mark `part`, at mark `at`, and names
    // both: the part as far as the word at `at` goes, then the unread rest.
    std::nullopt_t stop(qsizetype part, qsizetype at, QStringView expected) {
        const QStringView text = scan.text();
        const qsizetype from = scan.positionOf(part);
        const qsizetype to = scan.positionOf(at);
        if (!describe) {
            error = TermsPhraseError{to, QString()};
            return std::nullopt;
        }
        const qsizetype end = wordEnd(text, to);
        QString message;
        if (to >= text.size())
            message = joined({quoted(text.sliced(from)), u"のあとが足りません", expected});
        else if (from == to)
            message = joined({quoted(text.sliced(to, end - to)), u"が読めません", expected});
        else
            message = joined({quoted(text.sliced(from, end - from)), u"の",
                              quoted(text.sliced(to, end - to)), u"が読めません", expected});
        error = TermsPhraseError{to, message};
        return std::nullopt;
    }

    // The same where what was expected has a limit in it, written only when
    // the refusal is described: a million refused cells need no sentences.
    std::nullopt_t stop(qsizetype part, qsizetype at, QStringView format, int limit) {
        return stop(part, at, describe ? format.toString().arg(limit) : QString());
    }

    bool twice(qsizetype part, QStringView what) {
        const qsizetype from = scan.positionOf(part);
        const QStringView read = scan.text().sliced(from, scan.readEnd() - from);
        error =
            TermsPhraseError{from, joined({quoted(read), u"で", what, u"が二度書かれています"})};
        return false;
    }
};

std::optional<ClosingDay> closingOfDay(int day) {
    if (day == kLastCalendarDay)
        return ClosingDay::monthEnd();
    if (day >= 1 && day <= kLastClosingDay)
        return ClosingDay::onDay(day);
    return std::nullopt;
}

// "20日締め", "月末〆", "末日", "都度締め": the closing, its suffix optional.
std::optional<ClosingDay> readClosing(Reading& r) {
    Scanner& scan = r.scan;
    const qsizetype part = scan.mark();
    scan.take(kEveryMonth);
    std::optional<ClosingDay> closing;
    if (scan.take(kPerRecord)) {
        closing = ClosingDay::perRecord();
    } else if (scan.takeAny(kMonthEndWords)) {
        closing = ClosingDay::monthEnd();
    } else {
        const qsizetype at = scan.mark();
        const int day = scan.number();
        if (day < 0 || !scan.take(u"日"))
            return r.stop(part, scan.mark(), kExpectedClosing, kLastClosingDay);
        closing = closingOfDay(day);
        if (!closing)
            return r.stop(part, at, kExpectedClosing, kLastClosingDay);
    }
    scan.takeAny(kClosingWords);
    return closing;
}

// "当月", "翌月", "翌々月", "3か月後": months after the closing month.
std::optional<int> readMonths(Reading& r, qsizetype part) {
    Scanner& scan = r.scan;
    int months = 0;
    if (scan.take(u"当")) {
        months = 0;
    } else if (scan.take(u"翌")) {
        months = scan.take(u"々") || scan.take(u"翌") ? 2 : 1;
    } else {
        const qsizetype at = scan.mark();
        months = scan.number();
        if (!scan.takeAny(kMonthCounters) || !scan.take(u"月") || !scan.take(u"後"))
            return r.stop(part, scan.mark(), kExpectedMonth);
        if (months < 1 || months > kMaxMonthsAfter)
            return r.stop(part, at, kExpectedMonths, kMaxMonthsAfter);
        return months;
    }
    if (!scan.take(u"月"))
        return r.stop(part, scan.mark(), kExpectedMonth);
    return months;
}

// "末", "末日", "10日", or nothing, which is the month's end too.
std::optional<int> readPayDay(Reading& r, qsizetype part) {
    Scanner& scan = r.scan;
    if (scan.takeAny(kPayDayEndWords) || !scan.seesDigit())
        return kMonthEndPayDay;
    const qsizetype at = scan.mark();
    const int day = scan.number();
    if (!scan.take(u"日"))
        return r.stop(part, scan.mark(), kExpectedPayDay, kLastCalendarDay);
    if (day < 1 || day > kLastCalendarDay)
        return r.stop(part, at, kExpectedPayDay, kLastCalendarDay);
    return day == kLastCalendarDay ? kMonthEndPayDay : day;
}

std::optional<PayDay> readMonthAndDay(Reading& r) {
    const qsizetype part = r.scan.mark();
    const std::optional<int> months = readMonths(r, part);
    if (!months)
        return std::nullopt;
    const std::optional<int> day = readPayDay(r, part);
    if (!day)
        return std::nullopt;
    r.scan.takeAny(kPayWords);
    return PayDay::monthAndDay(*months, *day);
}

// "60日後", "60日サイト". Only called where the words follow the number.
std::optional<PayDay> readDaysAfter(Reading& r) {
    Scanner& scan = r.scan;
    const qsizetype part = scan.mark();
    const int days = scan.number();
    scan.take(u"日");
    scan.takeAny(kAfterWords);
    if (days < 1 || days > kMaxDaysAfter)
        return r.stop(part, part, kExpectedDays, kMaxDaysAfter);
    scan.takeAny(kPayWords);
    return PayDay::daysAfter(days);
}

// "休日は前営業日", "土日祝の場合は翌営業日", "そのまま".
std::optional<HolidayRule> readHolidays(Reading& r) {
    Scanner& scan = r.scan;
    const qsizetype part = scan.mark();
    if (scan.takeAny(kHolidayWords)) {
        scan.take(u"の場合");
        scan.take(u"は");
    }
    for (const RuleWord& word : kRuleWords) {
        if (scan.take(word.word)) {
            scan.takeAny(kPayWords);
            return word.rule;
        }
    }
    return r.stop(part, scan.mark(), kExpectedRule);
}

enum class Part { ClosingDay, MonthPay, DaysPay, Holidays, Unknown };

// Which part starts here, by its first words; a number decides by what
// follows it, so the scanner looks ahead and comes back.
Part partAt(Scanner& scan) {
    if (scan.seesAny(kHolidayWords))
        return Part::Holidays;
    for (const RuleWord& word : kRuleWords)
        if (scan.sees(word.word))
            return Part::Holidays;
    if (scan.seesAny(kMonthStarts))
        return Part::MonthPay;
    if (scan.seesAny(kClosingStarts))
        return Part::ClosingDay;
    if (!scan.seesDigit())
        return Part::Unknown;
    const qsizetype start = scan.mark();
    scan.number();
    Part part = Part::ClosingDay;
    if (scan.seesAny(kMonthCounters))
        part = Part::MonthPay;
    else if (scan.take(u"日") && scan.seesAny(kAfterWords))
        part = Part::DaysPay;
    scan.moveTo(start);
    return part;
}

template <typename T>
bool kept(Reading& r, std::optional<T>& slot, const std::optional<T>& value, qsizetype part,
          QStringView what) {
    if (!value)
        return false;
    if (slot)
        return r.twice(part, what);
    slot = value;
    return true;
}

bool readPart(Reading& r, TermsPhrase& phrase) {
    const qsizetype part = r.scan.mark();
    switch (partAt(r.scan)) {
    case Part::ClosingDay:
        return kept(r, phrase.closing, readClosing(r), part, u"締日");
    case Part::MonthPay:
        return kept(r, phrase.pay, readMonthAndDay(r), part, u"支払日");
    case Part::DaysPay:
        return kept(r, phrase.pay, readDaysAfter(r), part, u"支払日");
    case Part::Holidays:
        return kept(r, phrase.holidays, readHolidays(r), part, u"休日の扱い");
    case Part::Unknown:
        break;
    }
    r.stop(part, part, kExpectedPart);
    return false;
}

QString closingText(const ClosingDay& closing) {
    switch (closing.kind) {
    case ClosingDay::Kind::Day:
        return joined({QString::number(closing.day), u"日"});
    case ClosingDay::Kind::MonthEnd:
        return u"月末"_qs;
    case ClosingDay::Kind::PerRecord:
        return kPerRecord.toString();
    }
    return {};
}

QString payText(const PayDay& pay) {
    if (pay.kind == PayDay::Kind::DaysAfter)
        return joined({QString::number(pay.days), u"日後"});
    const QString month = pay.months < kMonthNames.size()
                              ? kMonthNames[pay.months].toString()
                              : joined({QString::number(pay.months), u"か月後"});
    const QString day =
        pay.day == kMonthEndPayDay ? u"末"_qs : joined({QString::number(pay.day), u"日"});
    return month + day;
}

QStringView ruleText(HolidayRule rule) {
    for (const RuleWord& word : kRuleWords)
        if (word.rule == rule)
            return word.word;
    return {};
}

std::variant<TermsPhrase, TermsPhraseError> readPhrase(QStringView text, bool describe) {
    Reading r{Scanner(text), std::nullopt, describe};
    TermsPhrase phrase;
    r.scan.skipSeparators();
    if (r.scan.atEnd())
        return TermsPhraseError{text.size(),
                                joined({u"支払条件が書かれていません", kExpectedPart})};
    while (!r.scan.atEnd()) {
        if (!readPart(r, phrase))
            return *r.error;
        r.scan.skipSeparators();
    }
    return phrase;
}

} // namespace

std::variant<TermsPhrase, TermsPhraseError> readTermsPhrase(QStringView text) {
    return readPhrase(text, true);
}

std::optional<TermsPhrase> readTermsPhraseQuietly(QStringView text) {
    auto reading = readPhrase(text, false);
    if (auto* phrase = std::get_if<TermsPhrase>(&reading))
        return *phrase;
    return std::nullopt;
}

QString termsPhraseOf(const CollectionTerms& terms) {
    return phraseOfParts(TermsPhrase{terms.closing, terms.pay, terms.holidays});
}

QString phraseOfParts(const TermsPhrase& phrase) {
    QStringList parts;
    if (phrase.closing)
        parts.append(joined({closingText(*phrase.closing), u"締め"}));
    if (phrase.pay)
        parts.append(joined({payText(*phrase.pay), u"払い"}));
    if (phrase.holidays)
        parts.append(joined({u" 休日は", ruleText(*phrase.holidays)}));
    return parts.join(QString());
}

CollectionTerms termsOver(const TermsPhrase& phrase, const CollectionTerms& defaults) {
    return {phrase.closing.value_or(defaults.closing), phrase.pay.value_or(defaults.pay),
            phrase.holidays.value_or(defaults.holidays)};
}

} // namespace tokivane
