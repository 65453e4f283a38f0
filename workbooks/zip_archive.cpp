#include "zip_archive.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>

namespace tokivane {

namespace {

constexpr int kCaseSensitive = 1;
constexpr int kChunkBytes = 1 << 20;
constexpr uLong kEncryptedFlag = 1;
constexpr QStringView kUnsupportedMethod = u"展開できません（未対応の圧縮方式か、壊れています）";

// minizip reads the archive through these, from the bytes in memory: no file
// name passes through the C library, so no encoding of one matters.
struct MemoryFile {
    const QByteArray* bytes = nullptr;
    ZPOS64_T position = 0;
};

voidpf ZCALLBACK openMemory(voidpf opaque, const void*, int) {
    return opaque;
}

uLong ZCALLBACK readMemory(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* file = static_cast<MemoryFile*>(stream);
    const auto total = static_cast<ZPOS64_T>(file->bytes->size());
    const uLong count =
        static_cast<uLong>(std::min<ZPOS64_T>(size, total - std::min(total, file->position)));
    std::memcpy(buffer, file->bytes->constData() + file->position, count);
    file->position += count;
    return count;
}

uLong ZCALLBACK writeMemory(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T ZCALLBACK tellMemory(voidpf, voidpf stream) {
    return static_cast<MemoryFile*>(stream)->position;
}

long ZCALLBACK seekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* file = static_cast<MemoryFile*>(stream);
    const auto total = static_cast<ZPOS64_T>(file->bytes->size());
    ZPOS64_T base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = file->position;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = total;
    if (offset > total || base + offset > total)
        return -1;
    file->position = base + offset;
    return 0;
}

int ZCALLBACK closeMemory(voidpf, voidpf) {
    return 0;
}

int ZCALLBACK errorMemory(voidpf, voidpf) {
    return 0;
}

QString entryProblem(const QString& name, QStringView what) {
    return QStringLiteral("%1：%2").arg(name, what);
}

// An open entry's expanded bytes: expanded by minizip, which sums them as it
// goes, or, for a deflated entry opened raw, here with zlib, unsummed, from
// its compressed bytes where the archive holds them.
class EntryStream {
  public:
    EntryStream(unzFile zip, bool raw, int method, QByteArrayView compressed)
        : zip_(zip), inflating_(raw && method == Z_DEFLATED), compressed_(compressed) {
        if (inflating_)
            ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK;
    }
    ~EntryStream() {
        if (inflating_ && ready_)
            inflateEnd(&stream_);
    }
    EntryStream(const EntryStream&) = delete;
    EntryStream& operator=(const EntryStream&) = delete;

    // As unzReadCurrentFile: the bytes read into `into`, 0 at the end,
    // negative where the entry is broken.
    int read(char* into, int size) {
        if (!inflating_)
            return unzReadCurrentFile(zip_, into, unsigned(size));
        if (!ready_)
            return -1;
        stream_.next_out = reinterpret_cast<Bytef*>(into);
        stream_.avail_out = uInt(size);
        while (stream_.avail_out > 0 && !ended_) {
            if (stream_.avail_in == 0 && !refill())
                return -1;
            const int status = inflate(&stream_, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END)
                return -1;
            ended_ = status == Z_STREAM_END;
        }
        return size - int(stream_.avail_out);
    }

  private:
    // The next compressed bytes; false when the entry ends before its
    // deflate stream does.
    bool refill() {
        if (compressed_.isEmpty())
            return false;
        const QByteArrayView next = compressed_.first(std::min(compressed_.size(), kFedBytes));
        compressed_ = compressed_.sliced(next.size());
        // zlib only reads what it is fed.
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(next.data()));
        stream_.avail_in = uInt(next.size());
        return true;
    }

    // What zlib's counts hold.
    static constexpr qsizetype kFedBytes = qsizetype(1) << 30;
    unzFile zip_;
    bool inflating_;
    QByteArrayView compressed_;
    bool ready_ = false;
    bool ended_ = false;
    z_stream stream_{};
};

// The open entry's compressed bytes, as far as the archive holds them.
QByteArrayView compressedBytes(unzFile zip, const QByteArray& archive,
                               const unz_file_info64& info) {
    const auto total = ZPOS64_T(archive.size());
    const ZPOS64_T at = unzGetCurrentFileZStreamPos64(zip);
    if (at > total)
        return {};
    const ZPOS64_T size = std::min(info.compressed_size, total - at);
    return QByteArrayView(archive).sliced(qsizetype(at), qsizetype(size));
}

// The bytes an entry's parts are read into. A part its taker kept is read
// into again once the taker lets it go, so that a long entry is not given
// new memory for each part: on some systems that costs more than expanding.
class PartBuffers {
  public:
    QByteArray& next() {
        for (QByteArray& buffer : buffers_)
            if (buffer.isDetached()) {
                // What another thread read of it before letting it go
                // comes before it is written again.
                std::atomic_thread_fence(std::memory_order_acquire);
                return buffer;
            }
        QByteArray& fresh = buffers_[replaced_++ % buffers_.size()];
        fresh = QByteArray();
        return fresh;
    }

  private:
    // More than a taker on another thread keeps at once.
    std::array<QByteArray, 8> buffers_;
    std::size_t replaced_ = 0;
};

// The header of the entry minizip stands at; none where it is broken.
std::optional<unz_file_info64> currentEntryInfo(unzFile zip) {
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return std::nullopt;
    return info;
}

} // namespace

struct ZipArchive::State {
    QByteArray bytes;
    MemoryFile file;
    zlib_filefunc64_def functions{};
    unzFile zip = nullptr;

    ~State() {
        if (zip)
            unzClose(zip);
    }
};

ZipArchive::ZipArchive(std::unique_ptr<State> state) : state_(std::move(state)) {}
ZipArchive::ZipArchive(ZipArchive&&) noexcept = default;
ZipArchive& ZipArchive::operator=(ZipArchive&&) noexcept = default;
ZipArchive::~ZipArchive() = default;

std::variant<ZipArchive, QString> ZipArchive::open(const QByteArray& bytes) {
    auto state = std::make_unique<State>();
    state->bytes = bytes;
    state->file.bytes = &state->bytes;
    state->functions = {openMemory, readMemory,  writeMemory, tellMemory,
                        seekMemory, closeMemory, errorMemory, &state->file};
    state->zip = unzOpen2_64("", &state->functions);
    if (!state->zip)
        return QStringLiteral("ZIPファイルとして読めません（壊れているか、途中で切れています）");
    return ZipArchive(std::move(state));
}

bool ZipArchive::contains(const QString& name) const {
    return unzLocateFile(state_->zip, name.toUtf8().constData(), kCaseSensitive) == UNZ_OK;
}

qint64 ZipArchive::claimedSize(const QString& name) const {
    const auto info = contains(name) ? currentEntryInfo(state_->zip) : std::nullopt;
    return info ? static_cast<qint64>(std::min<ZPOS64_T>(info->uncompressed_size, INT64_MAX)) : 0;
}

std::optional<QString> ZipArchive::read(const QString& name, qint64 maxBytes,
                                        const std::function<bool(const QByteArray&)>& take,
                                        Checksum checksum) const {
    unzFile zip = state_->zip;
    if (!contains(name))
        return entryProblem(name, u"ありません");
    const auto info = currentEntryInfo(zip);
    if (!info)
        return entryProblem(name, u"見出しが壊れています");
    if (info->flag & kEncryptedFlag)
        return entryProblem(name, u"暗号化されています");
    // Raw, minizip hands on any method's bytes: only the two it expands are read.
    const bool raw = checksum == Checksum::ByTaker;
    int method = 0;
    int level = 0;
    if (unzOpenCurrentFile2(zip, &method, &level, raw ? 1 : 0) != UNZ_OK)
        return entryProblem(name, kUnsupportedMethod);
    if (method != 0 && method != Z_DEFLATED) {
        unzCloseCurrentFile(zip);
        return entryProblem(name, kUnsupportedMethod);
    }
    EntryStream stream(zip, raw, method,
                       raw ? compressedBytes(zip, state_->bytes, *info) : QByteArrayView());
    PartBuffers buffers;
    qint64 total = 0;
    std::optional<QString> problem;
    while (!problem) {
        QByteArray& chunk = buffers.next();
        chunk.resize(kChunkBytes);
        const int count = stream.read(chunk.data(), kChunkBytes);
        if (count < 0) {
            problem = entryProblem(name, u"展開できません（壊れています）");
        } else if (count == 0) {
            break;
        } else if ((total += count) > maxBytes) {
            problem = entryProblem(name, QStringLiteral("展開すると大きすぎます（%1 MBまで）")
                                             .arg(maxBytes / (1024 * 1024)));
        } else {
            chunk.resize(count);
            if (!take(chunk))
                problem = stoppedReading(name);
        }
    }
    // A damaged entry's checksum fails only here, after its last byte.
    if (unzCloseCurrentFile(zip) != UNZ_OK && !problem)
        problem = checksumFailed(name);
    return problem;
}

quint32 ZipArchive::claimedChecksum(const QString& name) const {
    const auto info = contains(name) ? currentEntryInfo(state_->zip) : std::nullopt;
    return info ? quint32(info->crc) : 0;
}

QString ZipArchive::checksumFailed(const QString& name) {
    return entryProblem(name, u"展開できません（チェックサムが合いません）");
}

void BytesChecksum::add(QByteArrayView part) {
    value_ = quint32(
        crc32_z(value_, reinterpret_cast<const Bytef*>(part.data()), z_size_t(part.size())));
}

QString ZipArchive::stoppedReading(const QString& name) {
    return entryProblem(name, u"読むのをやめました");
}

std::variant<QByteArray, QString> ZipArchive::readWhole(const QString& name,
                                                        qint64 maxBytes) const {
    QByteArray whole;
    const auto problem = read(name, maxBytes, [&](QByteArrayView part) {
        whole.append(part);
        return true;
    });
    if (problem)
        return *problem;
    return whole;
}

} // namespace tokivane
