#include "shift_jis.h"

#include <limits>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace tokivane {

namespace {

// Qt without ICU knows no Shift_JIS; Windows itself does.
constexpr UINT kShiftJisCodePage = 932;

bool fitsInt(qsizetype size) {
    return size <= std::numeric_limits<int>::max();
}

} // namespace

std::optional<QString> decodeShiftJis(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return QString();
    if (!fitsInt(bytes.size()))
        return std::nullopt;
    const int byteCount = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(kShiftJisCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                          byteCount, nullptr, 0);
    if (units <= 0)
        return std::nullopt;
    QString text(units, Qt::Uninitialized);
    const int written =
        MultiByteToWideChar(kShiftJisCodePage, MB_ERR_INVALID_CHARS, bytes.data(), byteCount,
                            reinterpret_cast<wchar_t*>(text.data()), units);
    if (written != units)
        return std::nullopt;
    return text;
}

std::optional<QByteArray> encodeShiftJis(QStringView text) {
    if (text.isEmpty())
        return QByteArray();
    if (!fitsInt(text.size()))
        return std::nullopt;
    const auto* units = reinterpret_cast<const wchar_t*>(text.utf16());
    const int unitCount = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, units, unitCount,
                                         nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault)
        return std::nullopt;
    QByteArray bytes(size, Qt::Uninitialized);
    usedDefault = FALSE;
    const int written = WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, units,
                                            unitCount, bytes.data(), size, nullptr, &usedDefault);
    if (written != size || usedDefault)
        return std::nullopt;
    return bytes;
}

} // namespace tokivane
