#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

namespace tokivane {

// The entries of a ZIP archive held in memory, read through minizip. An
// entry is read no further than a limit on its expanded size, whatever its
// header claims, so that a small archive cannot expand without bound.
class ZipArchive {
  public:
    // The archive, or why the bytes are none.
    static std::variant<ZipArchive, QString> open(const QByteArray& bytes);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    bool contains(const QString& name) const;
    // The expanded size the entry's header claims, for progress; 0 if none.
    qint64 claimedSize(const QString& name) const;

    // Who checks that an entry's bytes are those it was written with: the
    // archive as it expands them, or whoever takes them, with BytesChecksum
    // against claimedChecksum, so that the sum can be worked out on another
    // thread than the expanding.
    enum class Checksum { ByArchive, ByTaker };

    // Hands the entry's expanded bytes to `take` a part at a time; `take`
    // returns false to stop. A part may be kept, on any thread: its bytes
    // are read into again only once every copy of it is let go. The reason
    // when the entry could not be read whole (or `take` stopped), nothing
    // when it was.
    std::optional<QString> read(const QString& name, qint64 maxBytes,
                                const std::function<bool(const QByteArray&)>& take,
                                Checksum checksum = Checksum::ByArchive) const;
    // Why an entry was not read whole when `take` stopped it.
    static QString stoppedReading(const QString& name);
    // The CRC-32 the entry's header claims for its expanded bytes.
    quint32 claimedChecksum(const QString& name) const;
    // Why an entry was not read whole when its bytes fail their checksum.
    static QString checksumFailed(const QString& name);
    // The entry whole, or why not.
    std::variant<QByteArray, QString> readWhole(const QString& name, qint64 maxBytes) const;

  private:
    struct State;
    explicit ZipArchive(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

// The CRC-32 of bytes taken a part at a time, as a ZIP archive sums them.
class BytesChecksum {
  public:
    void add(QByteArrayView part);
    quint32 value() const { return value_; }

  private:
    quint32 value_ = 0;
};

} // namespace tokivane
