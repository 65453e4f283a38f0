#include "utf8_bytes.h"

#include <cstring>

namespace tokivane {

namespace {

// Where a run of ASCII bytes from `p` ends, looked at a block at a time: a
// sheet's XML is nearly all ASCII.
const char* asciiEnd(const char* p, const char* end) {
    constexpr quint64 kHighBits = 0x8080808080808080;
    constexpr qsizetype kBlockWords = 4;
    quint64 block[kBlockWords];
    while (end - p >= qsizetype(sizeof block)) {
        std::memcpy(block, p, sizeof block);
        if (((block[0] | block[1] | block[2] | block[3]) & kHighBits) != 0)
            break;
        p += sizeof block;
    }
    while (p < end && static_cast<unsigned char>(*p) < 0x80)
        ++p;
    return p;
}

// Whether the bytes are UTF-8 up to a sequence cut off at their end, which
// goes to `cut` for the next part to complete.
bool isUtf8(QByteArrayView bytes, QByteArray& cut) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while ((p = asciiEnd(p, end)) < end) {
        const qsizetype length = utf8SequenceLength(static_cast<unsigned char>(*p));
        if (length == 0)
            return false;
        if (end - p < length) {
            cut = QByteArray(p, end - p);
            return true;
        }
        if (utf8Character(p, length) == 0)
            return false;
        p += length;
    }
    cut.clear();
    return true;
}

} // namespace

qsizetype utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

char32_t utf8Character(const char* p, qsizetype length) {
    const auto byte = [&](qsizetype at) { return static_cast<unsigned char>(p[at]); };
    constexpr unsigned char kLeadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t c = byte(0) & kLeadBits[length];
    for (qsizetype at = 1; at < length; ++at) {
        if ((byte(at) & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (byte(at) & 0x3F);
    }
    if (c < kShortest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return c;
}

bool Utf8Parts::take(QByteArrayView part) {
    return cut_.isEmpty() ? isUtf8(part, cut_) : isUtf8(QByteArray(cut_).append(part), cut_);
}

} // namespace tokivane
