#include "shift_jis.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

namespace tokivane {

namespace {

// Code page 932 first: plain Shift_JIS lacks the characters Windows added and
// maps ～ to another code point.
constexpr std::array<const char*, 2> kCodecNames{"windows-31j", "Shift_JIS"};

template <typename Codec> Codec firstKnownCodec() {
    for (const char* name : kCodecNames) {
        Codec codec(name);
        if (codec.isValid())
            return codec;
    }
    return Codec();
}

} // namespace

std::optional<QString> decodeShiftJis(QByteArrayView bytes) {
    auto decoder = firstKnownCodec<QStringDecoder>();
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QByteArray> encodeShiftJis(QStringView text) {
    auto encoder = firstKnownCodec<QStringEncoder>();
    if (!encoder.isValid())
        return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    // The converter substitutes unmappable characters without always saying
    // so; a text that does not come back unchanged did not fit.
    if (encoder.hasError() || decodeShiftJis(bytes) != text)
        return std::nullopt;
    return bytes;
}

} // namespace tokivane
