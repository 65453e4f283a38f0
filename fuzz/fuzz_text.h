#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace fuzzing {

// Any UTF-16 text, lone surrogates and control characters included: each
// pair of bytes is one code unit, little-endian.
inline QString utf16Text(const std::vector<std::uint8_t>& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size() / 2));
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.append(QChar(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8))));
    return text;
}

} // namespace fuzzing
