#include "column_width.h"

#include <QChar>
#include <algorithm>
#include <array>

namespace tokivane {

namespace {

constexpr double kMargin = 2;
constexpr double kNarrowest = 4;
constexpr double kWidest = 60;

struct Range {
    char32_t first;
    char32_t last;
};

// The wide and full-width blocks of East Asian text, roughly: Hangul Jamo,
// CJK punctuation, kana and ideographs, Yi, Hangul syllables, compatibility
// ideographs and forms, full-width forms and signs, pictographs and the
// ideographs of the supplementary planes. Half-width kana stay narrow.
constexpr std::array kWideRanges{
    Range{0x1100, 0x115F},   Range{0x2E80, 0x303E},   Range{0x3041, 0x4DBF},
    Range{0x4E00, 0xA4CF},   Range{0xAC00, 0xD7A3},   Range{0xF900, 0xFAFF},
    Range{0xFE30, 0xFE4F},   Range{0xFF00, 0xFF60},   Range{0xFFE0, 0xFFE6},
    Range{0x1F300, 0x1F64F}, Range{0x1F900, 0x1F9FF}, Range{0x20000, 0x3FFFD},
};

bool isWide(char32_t c) {
    if (c < kWideRanges.front().first)
        return false;
    return std::any_of(kWideRanges.begin(), kWideRanges.end(),
                       [c](Range range) { return c >= range.first && c <= range.last; });
}

} // namespace

int textWidth(QStringView text) {
    int widest = 0;
    int line = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        if (c == u'\n') {
            line = 0;
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text[++at]);
        line += isWide(code) ? 2 : 1;
        widest = std::max(widest, line);
    }
    return widest;
}

double columnWidthFor(int textWidth) {
    return std::clamp(textWidth + kMargin, kNarrowest, kWidest);
}

} // namespace tokivane
