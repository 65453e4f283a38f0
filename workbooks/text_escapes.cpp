#include "text_escapes.h"

namespace tokivane {

namespace {

constexpr QStringView kEscapedUnderscore = u"_x005F_";
constexpr QStringView kEscapedNul = u"_x0000_";
constexpr qsizetype kEscapeLength = 7; // "_x" four hex digits "_"
constexpr QChar kNul = u'\0';

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Whether an escape like "_x0041_" starts at `at`.
bool isEscapeAt(const QString& text, qsizetype at) {
    if (at + kEscapeLength > text.size() || text[at] != u'_' ||
        (text[at + 1] != u'x' && text[at + 1] != u'X') || text[at + kEscapeLength - 1] != u'_')
        return false;
    for (qsizetype digit = at + 2; digit < at + kEscapeLength - 1; ++digit) {
        if (!isHexDigit(text[digit]))
            return false;
    }
    return true;
}

} // namespace

QString sheetTextOf(const QString& text) {
    qsizetype at = 0;
    while (at < text.size() && text[at] != u'_' && text[at] != kNul)
        ++at;
    if (at == text.size())
        return text;
    QString written = text.first(at);
    for (; at < text.size(); ++at) {
        if (text[at] == kNul)
            written.append(kEscapedNul);
        else if (isEscapeAt(text, at))
            written.append(kEscapedUnderscore);
        else
            written.append(text[at]);
    }
    return written;
}

QString unescapedText(const QString& text) {
    if (!text.contains(u'_'))
        return text;
    QString plain;
    plain.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (isEscapeAt(text, at)) {
            plain += QChar(static_cast<char16_t>(text.sliced(at + 2, 4).toUInt(nullptr, 16)));
            at += kEscapeLength - 1;
        } else {
            plain += text[at];
        }
    }
    return plain;
}

} // namespace tokivane
