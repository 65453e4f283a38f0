#pragma once

#include <QByteArray>
#include <QString>
#include <variant>

namespace tokivane {

// Files larger than this are refused before they are read.
inline constexpr qint64 kMaxFileBytes = 200LL * 1024 * 1024;

// Why a file's bytes were not taken as text, in a few words for the user.
struct UnreadFile {
    QString reason;
    friend bool operator==(const UnreadFile&, const UnreadFile&) = default;
};

// The text of a file's bytes: UTF-8 or UTF-16 with a byte-order mark, UTF-8
// without one, and otherwise Shift_JIS. Text with NUL characters is no text
// file and is refused.
std::variant<QString, UnreadFile> textOfFileBytes(const QByteArray& bytes);

// A file's bytes read whole, within the size limit, or why they were not.
std::variant<QByteArray, UnreadFile> readFileBytes(const QString& path);

} // namespace tokivane
