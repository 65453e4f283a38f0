#include "number_format.h"

#include <array>
#include <utility>

namespace tokivane {

namespace {

// The built-in codes a Japanese workbook gives these numbers.
constexpr std::array<std::pair<int, QStringView>, 47> kBuiltinCodes{{
    {0, u"General"},
    {1, u"0"},
    {2, u"0.00"},
    {3, u"#,##0"},
    {4, u"#,##0.00"},
    {5, u"\"¥\"#,##0;\"¥\"\\-#,##0"},
    {6, u"\"¥\"#,##0;[Red]\"¥\"\\-#,##0"},
    {7, u"\"¥\"#,##0.00;\"¥\"\\-#,##0.00"},
    {8, u"\"¥\"#,##0.00;[Red]\"¥\"\\-#,##0.00"},
    {9, u"0%"},
    {10, u"0.00%"},
    {11, u"0.00E+00"},
    {12, u"# ?/?"},
    {13, u"# ?\?/??"},
    {14, u"yyyy/m/d"},
    {15, u"d-mmm-yy"},
    {16, u"d-mmm"},
    {17, u"mmm-yy"},
    {18, u"h:mm AM/PM"},
    {19, u"h:mm:ss AM/PM"},
    {20, u"h:mm"},
    {21, u"h:mm:ss"},
    {22, u"yyyy/m/d h:mm"},
    {27, u"[$-411]ge.m.d"},
    {28, u"[$-411]ggge\"年\"m\"月\"d\"日\""},
    {29, u"[$-411]ggge\"年\"m\"月\"d\"日\""},
    {30, u"m/d/yy"},
    {31, u"yyyy\"年\"m\"月\"d\"日\""},
    {32, u"h\"時\"mm\"分\""},
    {33, u"h\"時\"mm\"分\"ss\"秒\""},
    {34, u"yyyy\"年\"m\"月\""},
    {35, u"m\"月\"d\"日\""},
    {36, u"[$-411]ge.m.d"},
    {37, u"#,##0 ;(#,##0)"},
    {38, u"#,##0 ;[Red](#,##0)"},
    {39, u"#,##0.00;(#,##0.00)"},
    {40, u"#,##0.00;[Red](#,##0.00)"},
    {45, u"mm:ss"},
    {46, u"[h]:mm:ss"},
    {47, u"mmss.0"},
    {48, u"##0.0E+0"},
    {49, u"@"},
    {50, u"[$-411]ge.m.d"},
    {51, u"[$-411]ggge\"年\"m\"月\"d\"日\""},
    {52, u"yyyy\"年\"m\"月\""},
    {53, u"m\"月\"d\"日\""},
    {54, u"[$-411]ggge\"年\"m\"月\"d\"日\""},
}};
// 55-58 repeat 52, 53, 27 and 28.
constexpr std::array<std::pair<int, int>, 4> kRepeatedBuiltins{
    {{55, 52}, {56, 53}, {57, 27}, {58, 28}}};

// The first section of a code with its quoted text, escaped and repeated
// characters and brackets taken out; `elapsed` tells of an [h], [m] or [s].
QString partsOfFirstSection(QStringView code, bool& elapsed) {
    QString parts;
    for (qsizetype at = 0; at < code.size(); ++at) {
        const QChar c = code[at];
        if (c == u';')
            break;
        if (c == u'"') {
            const qsizetype close = code.indexOf(u'"', at + 1);
            at = close < 0 ? code.size() : close;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++at;
        } else if (c == u'[') {
            const qsizetype close = code.indexOf(u']', at + 1);
            const QStringView inside =
                code.sliced(at + 1, (close < 0 ? code.size() : close) - at - 1);
            const QString lower = inside.toString().toLower();
            if (!lower.isEmpty() && (lower.count(lower[0]) == lower.size()) &&
                (lower[0] == u'h' || lower[0] == u'm' || lower[0] == u's'))
                elapsed = true;
            at = close < 0 ? code.size() : close;
        } else {
            parts += c.toLower();
        }
    }
    return parts;
}

bool hasAny(const QString& parts, QStringView letters) {
    for (const QChar letter : letters)
        if (parts.contains(letter))
            return true;
    return false;
}

} // namespace

NumberFormat formatOfCode(QStringView code) {
    bool elapsed = false;
    const QString parts = partsOfFirstSection(code, elapsed);
    NumberFormat format;
    format.code = code.toString();
    if (parts.trimmed() == u"general")
        return format;
    // An exponent's E is no era: 0.00E+00 is a number.
    const QString letters =
        QString(parts).remove(QStringLiteral("e+")).remove(QStringLiteral("e-"));
    const bool digits = hasAny(letters, u"0#?");
    if (hasAny(letters, u"ydge")) {
        format.kind = FormatKind::Date;
    } else if (hasAny(letters, u"hs") || elapsed) {
        format.kind = FormatKind::Time;
        format.seconds = letters.contains(u's');
        format.elapsed = elapsed;
    } else if (letters.contains(u'm') && !digits) {
        format.kind = FormatKind::Date;
    } else if (digits) {
        format.kind = FormatKind::Number;
        format.number = std::make_shared<const NumberCode>(code);
    } else if (letters.contains(u'@')) {
        format.kind = FormatKind::Text;
    }
    return format;
}

NumberFormat builtinFormat(int id) {
    for (const auto& [repeat, original] : kRepeatedBuiltins)
        if (id == repeat)
            id = original;
    for (const auto& [number, code] : kBuiltinCodes)
        if (number == id)
            return formatOfCode(code);
    return {};
}

NumberFormat formatOfStyle(int numberFormatId, const QHash<int, QString>& customCodes) {
    const auto custom = customCodes.constFind(numberFormatId);
    return custom != customCodes.cend() ? formatOfCode(*custom) : builtinFormat(numberFormatId);
}

} // namespace tokivane
