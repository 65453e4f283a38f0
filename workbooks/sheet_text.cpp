#include "sheet_text.h"

#include "handoff.h"
#include "sheet_builder.h"
#include "sheet_event_batch.h"
#include "sheet_scanner.h"

#include <QXmlStreamReader>
#include <algorithm>

namespace tokivane {

namespace {

// Any sheet XML, read by Qt's XML reader: the judge of what the scanner
// leaves to it, and of why a sheet is broken.
class XmlReader {
  public:
    explicit XmlReader(SheetBuilder& builder) : builder_(builder) {}

    bool take(const QByteArray& data) {
        xml_.addData(data);
        while (!builder_.refused()) {
            const auto token = xml_.readNext();
            if (token == QXmlStreamReader::Invalid) {
                if (xml_.error() != QXmlStreamReader::PrematureEndOfDocumentError)
                    builder_.refuse(
                        QStringLiteral("XMLが壊れています（%1）").arg(xml_.errorString()));
                break;
            }
            if (token == QXmlStreamReader::EndDocument) {
                ended_ = true;
                break;
            }
            if (token == QXmlStreamReader::StartElement)
                start();
            else if (token == QXmlStreamReader::EndElement)
                builder_.end(sheetElementOf(xml_.name()));
            else if (token == QXmlStreamReader::Characters && builder_.collecting())
                builder_.addValue(xml_.text());
        }
        return !builder_.refused();
    }

    bool ended() const { return ended_; }

  private:
    void start() {
        SheetTag tag;
        tag.element = sheetElementOf(xml_.name());
        if (!readsAttributes(tag.element)) {
            builder_.start(tag);
            return;
        }
        const QXmlStreamAttributes attributes = xml_.attributes();
        tag.reference = attributes.value(QLatin1StringView("r"));
        tag.type = attributes.value(QLatin1StringView("t"));
        tag.style = attributes.value(QLatin1StringView("s"));
        tag.range = attributes.value(QLatin1StringView("ref"));
        builder_.start(tag);
    }

    SheetBuilder& builder_;
    QXmlStreamReader xml_;
    bool ended_ = false;
};

// A sheet of a few parts gains nothing from a second thread.
constexpr qint64 kScanAheadFromBytes = 4 * 1024 * 1024;
// Parts scanned ahead of the one being built: enough to keep both threads
// busy, few enough to hold little memory.
constexpr std::size_t kPartsAhead = 4;

struct EntryRead {
    // Why the entry was not read whole, if it was not.
    std::optional<QString> problem;
    // Whether the reader stopped it, rather than the archive or the user.
    bool readerStopped = false;
    // Whether the bytes are left to Qt's reader, not being UTF-8.
    bool notUtf8 = false;
};

double claimedSizeOf(const ZipArchive& zip, const QString& part) {
    return double(std::max<qint64>(zip.claimedSize(part), 1));
}

// Hands the sheet's entry to `reader` a part at a time.
template <typename Reader>
EntryRead readEntry(const ZipArchive& zip, const QString& part, const SheetProgress& progress,
                    Reader& reader) {
    const double claimed = claimedSizeOf(zip, part);
    qint64 read = 0;
    EntryRead entry;
    entry.problem = zip.read(part, kMaxSheetXmlBytes, [&](const QByteArray& data) {
        read += data.size();
        entry.readerStopped = !reader.take(data);
        return !entry.readerStopped && progress(std::min(read / claimed, 1.0));
    });
    return entry;
}

// What the scanning thread hands on: a part's events, the part's bytes, and
// how far into the entry they reach.
struct ScannedPart {
    SheetEventBatch events;
    QByteArray bytes;
    qint64 read = 0;
};

// The same as readEntry with the scanner, but the entry is expanded and
// scanned on a thread of its own, a few parts ahead of the building. The
// building thread sums the bytes for their checksum and checks that they
// are UTF-8 before it builds from them: the scanning one has more to do.
EntryRead scanAhead(const ZipArchive& zip, const QString& part, const SheetProgress& progress,
                    SheetScanner& scanner, SheetEventBatch& scanned, SheetBuilder& builder) {
    const double claimed = claimedSizeOf(zip, part);
    EntryRead entry;
    bool scannerStopped = false;
    const auto scan = [&](Handoff<ScannedPart>& handoff) {
        qint64 read = 0;
        ScannedPart next;
        entry.problem = zip.read(
            part, kMaxSheetXmlBytes,
            [&](const QByteArray& data) {
                read += data.size();
                scannerStopped = !scanner.take(data);
                scanned.handOn(next.events);
                next.bytes = data;
                next.read = read;
                const bool pushed = handoff.push(std::move(next));
                // The next part goes into the room of one already built,
                // whose bytes are let go now to be expanded into again.
                if (handoff.takeBack(next)) {
                    next.events.clear();
                    next.bytes = QByteArray();
                }
                return pushed && !scannerStopped;
            },
            ZipArchive::Checksum::ByTaker);
    };
    BytesChecksum checksum;
    Utf8Parts utf8;
    const auto build = [&](ScannedPart& part) {
        checksum.add(part.bytes);
        entry.notUtf8 = !utf8.take(part.bytes);
        if (entry.notUtf8)
            return false;
        part.events.replay(builder);
        return !builder.refused() && progress(std::min(part.read / claimed, 1.0));
    };
    const bool stopped = handOff<ScannedPart>(kPartsAhead, scan, build);
    entry.readerStopped = scannerStopped || builder.refused();
    if (stopped && !entry.problem)
        entry.problem = ZipArchive::stoppedReading(part);
    if (!entry.problem && checksum.value() != zip.claimedChecksum(part))
        entry.problem = ZipArchive::checksumFailed(part);
    // Ending within a character, the bytes are Qt's reader's to judge.
    entry.notUtf8 = entry.notUtf8 || (!entry.problem && !utf8.whole());
    return entry;
}

std::variant<QString, UnreadFile> finished(SheetBuilder& builder,
                                           const std::optional<QString>& problem, bool ended) {
    if (problem)
        builder.refuse(*problem);
    return builder.finish(ended);
}

} // namespace

std::variant<QString, UnreadFile> readSheetText(const ZipArchive& zip, const QString& part,
                                                const SheetContext& context,
                                                const SheetProgress& progress, SheetReader reader) {
    if (reader == SheetReader::ScannerFirst) {
        SheetBuilder builder(context);
        const bool ahead = zip.claimedSize(part) > kScanAheadFromBytes;
        SheetEventBatch scanned;
        SheetScanner scanner(ahead ? static_cast<SheetEvents&>(scanned) : builder,
                             ahead ? SheetScanner::Utf8Check::ByGiver
                                   : SheetScanner::Utf8Check::ByScanner);
        const EntryRead entry = ahead ? scanAhead(zip, part, progress, scanner, scanned, builder)
                                      : readEntry(zip, part, progress, scanner);
        // A sheet refused, or cut short, is Qt's reader's to judge too: it
        // reads a token further before it hands one on.
        const bool final = entry.problem ? !entry.readerStopped : scanner.ended();
        if (!scanner.unsupported() && !entry.notUtf8 && final)
            return finished(builder, entry.problem, scanner.ended());
    }
    SheetBuilder builder(context);
    XmlReader xml(builder);
    const EntryRead entry = readEntry(zip, part, progress, xml);
    return finished(builder, entry.problem, xml.ended());
}

} // namespace tokivane
