#include "sheet_text.h"

#include "sheet_builder.h"
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

    bool take(QByteArrayView data) {
        xml_.addData(QByteArray(data.data(), data.size()));
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

constexpr qint64 kReadAheadFromBytes = 4 * 1024 * 1024;

struct EntryRead {
    // Why the entry was not read whole, if it was not.
    std::optional<QString> problem;
    // Whether the reader stopped it, rather than the archive or the user.
    bool readerStopped = false;
};

// Hands the sheet's entry to `reader` a part at a time.
template <typename Reader>
EntryRead readEntry(const ZipArchive& zip, const QString& part, const SheetProgress& progress,
                    Reader& reader) {
    const double claimed = std::max<qint64>(zip.claimedSize(part), 1);
    qint64 read = 0;
    EntryRead entry;
    const auto take = [&](QByteArrayView data) {
        read += data.size();
        entry.readerStopped = !reader.take(data);
        return !entry.readerStopped && progress(std::min(read / claimed, 1.0));
    };
    // A sheet of a few parts gains nothing from a second thread.
    entry.problem = claimed > kReadAheadFromBytes ? zip.readAhead(part, kMaxSheetXmlBytes, take)
                                                  : zip.read(part, kMaxSheetXmlBytes, take);
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
        SheetScanner scanner(builder);
        const EntryRead entry = readEntry(zip, part, progress, scanner);
        // A sheet refused, or cut short, is Qt's reader's to judge too: it
        // reads a token further before it hands one on.
        const bool final = entry.problem ? !entry.readerStopped : scanner.ended();
        if (!scanner.unsupported() && final)
            return finished(builder, entry.problem, scanner.ended());
    }
    SheetBuilder builder(context);
    XmlReader xml(builder);
    const EntryRead entry = readEntry(zip, part, progress, xml);
    return finished(builder, entry.problem, xml.ended());
}

} // namespace tokivane
