#include "amount_cell.h"

#include <QString>
#include <QVarLengthArray>
#include <optional>
#include <string_view>

namespace tokivane {

namespace {

constexpr qsizetype kMaxQuote = 20;
constexpr std::size_t kMaxDecimals = 2;
constexpr std::size_t kGroup = 3;
// Most cells are short: they are read without allocating.
constexpr qsizetype kShortCell = 32;
// The most digits whose yen 64 bits hold in hundredths whatever they are.
constexpr qsizetype kPlainDigits = 16;

constexpr QStringView kUnreadable = u"金額として読めません";
constexpr QStringView kNoDigits = u"金額の数字がありません";
constexpr QStringView kTwoSigns = u"符号が二つあります";
constexpr QStringView kSignAfter = u"符号は数字の前に書いてください";
constexpr QStringView kTwoYenMarks = u"円記号が二つあります";
constexpr QStringView kUnpaired = u"括弧が対になっていません";
constexpr QStringView kSeparators = u"桁区切りの位置が正しくありません";
constexpr QStringView kTwoPoints = u"小数点が二つあります";
constexpr QStringView kNoWholeDigits = u"小数点の前に数字がありません";
constexpr QStringView kNoDecimals = u"小数点の後に数字がありません";
constexpr QStringView kTooManyDecimals = u"小数は2桁までです";
constexpr QStringView kTooLarge = u"金額が大きすぎます";

// A character as the reader compares it: full-width forms as ASCII, every
// minus as '-', every yen sign as '¥', both triangles as '△'.
char16_t folded(QChar c) {
    constexpr char16_t kFullWidthFirst = u'！';
    constexpr char16_t kFullWidthLast = u'～';
    char16_t u = c.unicode();
    if (u >= kFullWidthFirst && u <= kFullWidthLast)
        u = char16_t(u - kFullWidthFirst + u'!');
    switch (u) {
    case u'−':
        return u'-';
    case u'￥':
    case u'\\': // Shift_JIS files give their yen sign as a backslash.
        return u'¥';
    case u'▲':
        return u'△';
    default:
        return u;
    }
}

bool isBlank(char16_t c) {
    return QChar(c).isSpace();
}

bool isSign(char16_t c) {
    return c == u'-' || c == u'+' || c == u'△';
}

bool isNumberPart(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u',' || c == u'.';
}

// The trimmed cell in 「」, cut short (never inside a surrogate pair).
QString quoted(QStringView cell) {
    QString text = u"「"_qs;
    if (cell.size() <= kMaxQuote) {
        text.append(cell);
    } else {
        const qsizetype cut = cell[kMaxQuote - 1].isHighSurrogate() ? kMaxQuote - 1 : kMaxQuote;
        text.append(cell.first(cut)).append(u'…');
    }
    return text.append(u'」');
}

AmountError refusal(QStringView reason, QStringView cell) {
    return AmountError{reason.toString().append(u'：').append(quoted(cell))};
}

// What stands around the digits.
struct Marks {
    bool sign = false;
    bool yen = false;
    bool open = false;
    bool close = false;
    bool negative = false;
};

using Text = std::u16string_view;

// The marks before the digits, up to the first character that is none; why
// they are refused, if they are.
std::optional<QStringView> readLeadingMarks(Text text, std::size_t& at, Marks& marks) {
    for (; at < text.size(); ++at) {
        const char16_t c = text[at];
        if (isBlank(c))
            continue;
        if (isSign(c) || c == u'(') {
            if (marks.sign || marks.open)
                return kTwoSigns;
            marks.sign = c != u'(';
            marks.open = c == u'(';
            marks.negative = c != u'+';
        } else if (c == u'¥') {
            if (marks.yen)
                return kTwoYenMarks;
            marks.yen = true;
        } else {
            break;
        }
    }
    return std::nullopt;
}

// The marks after the digits, to the end of the cell.
std::optional<QStringView> readTrailingMarks(Text text, std::size_t at, Marks& marks) {
    for (; at < text.size(); ++at) {
        const char16_t c = text[at];
        if (isBlank(c))
            continue;
        if (c == u')') {
            if (!marks.open || marks.close)
                return kUnpaired;
            marks.close = true;
        } else if (c == u'円') {
            if (marks.yen)
                return kTwoYenMarks;
            marks.yen = true;
        } else if (isSign(c)) {
            return marks.sign || marks.open ? kTwoSigns : kSignAfter;
        } else {
            return kUnreadable;
        }
    }
    return marks.open == marks.close ? std::nullopt : std::optional(kUnpaired);
}

// No separators, or a first group of one to three digits and then groups of
// exactly three.
bool isGroupedRightly(Text whole) {
    const std::size_t first = whole.find(u',');
    if (first == Text::npos)
        return true;
    const Text rest = whole.substr(first);
    if (first > kGroup || rest.size() % (kGroup + 1) != 0)
        return false;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if ((rest[i] == u',') != (i % (kGroup + 1) == 0))
            return false;
    }
    return first > 0;
}

// Why the digits, separators and point are no number, if they are not.
std::optional<QStringView> numberProblem(Text number) {
    const std::size_t point = number.find(u'.');
    if (point == Text::npos)
        return isGroupedRightly(number) ? std::nullopt : std::optional(kSeparators);
    const Text whole = number.substr(0, point);
    const Text decimals = number.substr(point + 1);
    if (decimals.find(u'.') != Text::npos)
        return kTwoPoints;
    if (whole.empty())
        return kNoWholeDigits;
    if (decimals.empty())
        return kNoDecimals;
    if (decimals.find(u',') != Text::npos || !isGroupedRightly(whole))
        return kSeparators;
    if (decimals.size() > kMaxDecimals)
        return kTooManyDecimals;
    return std::nullopt;
}

// The number in hundredths, or none when 64 bits cannot hold it. A negative
// number is built downwards, so the most negative amount can be read too.
std::optional<qint64> hundredthsOf(Text number, bool negative) {
    const std::size_t point = number.find(u'.');
    const std::size_t decimals = point == Text::npos ? 0 : number.size() - point - 1;
    qint64 value = 0;
    const auto append = [&](int digit) {
        const bool overflows = __builtin_mul_overflow(value, 10, &value) ||
                               (negative ? __builtin_sub_overflow(value, digit, &value)
                                         : __builtin_add_overflow(value, digit, &value));
        return !overflows;
    };
    for (char16_t c : number) {
        if (c >= u'0' && c <= u'9' && !append(c - u'0'))
            return std::nullopt;
    }
    for (std::size_t i = decimals; i < kMaxDecimals; ++i) {
        if (!append(0))
            return std::nullopt;
    }
    return value;
}

// Most ledgers write whole yen as ASCII digits, grouped in threes or not,
// perhaps after a minus ("12345", "1,234", "-1,234"): those are read without
// folding the cell. Anything else is left to the full reading.
std::optional<Amount> plainDigits(QStringView cell) {
    const bool negative = !cell.isEmpty() && cell.front() == u'-';
    qint64 yen = 0;
    qsizetype digits = 0;
    // Digits since the last separator; none before the first.
    std::optional<std::size_t> grouped;
    for (qsizetype at = negative ? 1 : 0; at < cell.size(); ++at) {
        const char16_t u = cell[at].unicode();
        if (u >= u'0' && u <= u'9') {
            if (++digits > kPlainDigits || (grouped && ++*grouped > kGroup))
                return std::nullopt;
            yen = yen * 10 + (u - u'0');
        } else if (u == u',' && digits > 0 &&
                   (grouped ? *grouped == kGroup : std::size_t(digits) <= kGroup)) {
            grouped = 0;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || (grouped && *grouped != kGroup))
        return std::nullopt;
    return Amount{(negative ? -yen : yen) * kHundredthsPerYen, false};
}

} // namespace

AmountCell readAmountCell(QStringView cell) {
    if (const std::optional<Amount> plain = plainDigits(cell))
        return *plain;
    cell = cell.trimmed();
    if (cell.isEmpty())
        return EmptyCell{};
    QVarLengthArray<char16_t, kShortCell> chars;
    chars.reserve(cell.size());
    for (QChar c : cell)
        chars.append(folded(c));
    const Text text(chars.data(), std::size_t(chars.size()));

    Marks marks;
    std::size_t at = 0;
    if (const auto problem = readLeadingMarks(text, at, marks))
        return refusal(*problem, cell);
    const std::size_t start = at;
    while (at < text.size() && isNumberPart(text[at]))
        ++at;
    const Text number = text.substr(start, at - start);
    if (const auto problem = readTrailingMarks(text, at, marks))
        return refusal(*problem, cell);
    if (number.empty())
        return refusal(kNoDigits, cell);
    if (const auto problem = numberProblem(number))
        return refusal(*problem, cell);
    const std::optional<qint64> hundredths = hundredthsOf(number, marks.negative);
    if (!hundredths)
        return refusal(kTooLarge, cell);
    return Amount{*hundredths, number.find(u'.') != Text::npos};
}

} // namespace tokivane
