#include "file_text.h"

#include "shift_jis.h"

#include <QFile>
#include <QStringConverter>
#include <QStringDecoder>
#include <optional>

namespace tokivane {

namespace {

constexpr QStringView kNotText = u"テキストファイルではありません（NUL文字を含みます）";
constexpr QStringView kUnknownEncoding =
    u"文字コードを判別できません（UTF-8・UTF-16・Shift_JIS以外）";

// Decodes with a byte-order mark's encoding, the mark itself dropped; no
// value when the bytes break that encoding.
std::optional<QString> decodeStrictly(QStringConverter::Encoding encoding,
                                      const QByteArray& bytes) {
    QStringDecoder decoder(encoding);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> decodeBytes(const QByteArray& bytes) {
    if (const auto marked = QStringConverter::encodingForData(bytes))
        return decodeStrictly(*marked, bytes);
    // Without a mark, a valid UTF-8 text is UTF-8 (plain ASCII included);
    // anything else is what Japanese Windows writes.
    if (auto utf8 = decodeStrictly(QStringConverter::Utf8, bytes))
        return utf8;
    return decodeShiftJis(bytes);
}

} // namespace

std::variant<QString, UnreadFile> textOfFileBytes(const QByteArray& bytes) {
    const auto text = decodeBytes(bytes);
    if (!text)
        return UnreadFile{kUnknownEncoding.toString()};
    if (text->contains(QChar(u'\0')))
        return UnreadFile{kNotText.toString()};
    return *text;
}

std::variant<QByteArray, UnreadFile> readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return UnreadFile{QStringLiteral("ファイルを開けません：%1").arg(file.errorString())};
    if (file.size() > kMaxFileBytes)
        return UnreadFile{QStringLiteral("ファイルが大きすぎます（200 MBまで）")};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return UnreadFile{QStringLiteral("ファイルを読めません：%1").arg(file.errorString())};
    return bytes;
}

} // namespace tokivane
