#include "dates/text_chars.h"

#include <algorithm>

namespace tokivane {

std::u32string toChars(QStringView text) {
    std::u32string chars;
    chars.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            chars.push_back(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            chars.push_back(c.unicode());
        }
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

} // namespace tokivane
