#include "text_chars.h"

#include <algorithm>

namespace tokivane {

namespace {

// The UTF-16 units of the character at `at`: two for a surrogate pair, one
// for anything else, a lone surrogate included. The one place that decides
// what a character is.
qsizetype unitsOfCharAt(QStringView text, qsizetype at) {
    const bool pair =
        text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
    return pair ? 2 : 1;
}

// The UTF-16 position of character `chars`, or the text's size past its end.
qsizetype unitOfChar(QStringView text, qsizetype chars) {
    qsizetype at = 0;
    for (; chars > 0 && at < text.size(); --chars)
        at += unitsOfCharAt(text, at);
    return at;
}

} // namespace

std::u32string toChars(QStringView text) {
    std::u32string chars;
    chars.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype at = 0; at < text.size(); at += unitsOfCharAt(text, at)) {
        if (unitsOfCharAt(text, at) == 2)
            chars.push_back(QChar::surrogateToUcs4(text[at], text[at + 1]));
        else
            chars.push_back(text[at].unicode());
    }
    return chars;
}

QString fromChars(std::u32string_view chars) {
    const auto extra = std::count_if(chars.begin(), chars.end(),
                                     [](char32_t c) { return QChar::requiresSurrogates(c); });
    QString text(static_cast<qsizetype>(chars.size()) + extra, Qt::Uninitialized);
    QChar* out = text.data();
    for (const char32_t c : chars) {
        if (QChar::requiresSurrogates(c)) {
            *out++ = QChar(QChar::highSurrogate(c));
            *out++ = QChar(QChar::lowSurrogate(c));
        } else {
            *out++ = QChar(static_cast<char16_t>(c));
        }
    }
    return text;
}

QStringView charSlice(QStringView text, qsizetype from, qsizetype count) {
    const qsizetype start = unitOfChar(text, from);
    const QStringView rest = text.sliced(start);
    return rest.first(unitOfChar(rest, count));
}

} // namespace tokivane
