// A ZIP entry reads the same whether minizip expands and checks it or it is
// expanded raw for a taker that sums it: the same bytes, the same refusals.
#include "workbook_parts.h"
#include "zip_archive.h"

#include <QTest>

using namespace tokivane;

namespace {

const QString kName = QStringLiteral("xl/worksheets/sheet1.xml");
constexpr qint64 kNoLimit = qint64(1) << 40;
constexpr qint64 kTwoMegabytes = 2 * 1024 * 1024;

// Header fields, as offsets into the local header and the central
// directory's entry, and their widths.
struct Field {
    qsizetype local;
    qsizetype central;
    int width;
};
constexpr Field kMethod{8, 10, 2};
constexpr Field kCompressedSize{18, 20, 4};

// Lines that do not repeat, so that the entry expands into several parts
// from several reads of its compressed bytes.
QByteArray linesOf(int count) {
    QByteArray lines;
    quint32 value = 1;
    for (int line = 0; line < count; ++line) {
        value = value * 1664525u + 1013904223u;
        lines += "<row r=\"" + QByteArray::number(line) + "\"><v>" + QByteArray::number(value) +
                 "</v></row>\n";
    }
    return lines;
}

const QByteArray& manyLines() {
    static const QByteArray lines = linesOf(200'000);
    return lines;
}

qsizetype fieldAt(const QByteArray& zip, const char* signature, qsizetype offset) {
    return zip.indexOf(signature) + offset;
}

quint32 fieldOf(const QByteArray& zip, const Field& field) {
    const qsizetype at = fieldAt(zip, "PK\x01\x02", field.central);
    quint32 value = 0;
    for (int byte = field.width - 1; byte >= 0; --byte)
        value = value << 8 | quint8(zip[at + byte]);
    return value;
}

// The field set to `value` in both headers, which must agree.
QByteArray withField(QByteArray zip, const Field& field, quint32 value) {
    for (const qsizetype at :
         {fieldAt(zip, "PK\x03\x04", field.local), fieldAt(zip, "PK\x01\x02", field.central)})
        for (int byte = 0; byte < field.width; ++byte)
            zip[at + byte] = char(value >> (8 * byte));
    return zip;
}

struct Read {
    QByteArray bytes;
    QString problem;
    bool summedAsClaimed = false;
};

Read readEntry(const QByteArray& bytes, ZipArchive::Checksum checksum, qint64 limit) {
    auto opened = ZipArchive::open(bytes);
    const auto& zip = std::get<ZipArchive>(opened);
    Read read;
    BytesChecksum sum;
    const auto problem = zip.read(
        kName, limit,
        [&](const QByteArray& part) {
            read.bytes += part;
            sum.add(part);
            return true;
        },
        checksum);
    read.problem = problem.value_or(QString());
    read.summedAsClaimed = sum.value() == zip.claimedChecksum(kName);
    return read;
}

} // namespace

class TstZipArchive : public QObject {
    Q_OBJECT

  private slots:
    void rawReadingReadsAsMinizipDoes_data();
    void rawReadingReadsAsMinizipDoes();
    void keptPartsStayAsTheyWere_data();
    void keptPartsStayAsTheyWere();
};

void TstZipArchive::rawReadingReadsAsMinizipDoes_data() {
    QTest::addColumn<QByteArray>("zip");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<QString>("problem");

    const QByteArray& lines = manyLines();
    const QByteArray deflated = test::zipOf({{kName, lines}});
    const QByteArray stored = test::zipOf({{kName, lines}}, 0);
    const QString broken = QStringLiteral("：展開できません（壊れています）");
    const QString tooLarge = QStringLiteral("：展開すると大きすぎます（2 MBまで）");
    QTest::newRow("deflated") << deflated << kNoLimit << QString();
    QTest::newRow("stored") << stored << kNoLimit << QString();
    QTest::newRow("deflated, the archive after other bytes")
        << QByteArray(100, 'x') + deflated << kNoLimit << QString();
    QTest::newRow("deflated, cut short")
        << withField(deflated, kCompressedSize, fieldOf(deflated, kCompressedSize) / 2) << kNoLimit
        << broken;
    QTest::newRow("another method")
        << withField(deflated, kMethod, 12) << kNoLimit
        << QStringLiteral("：展開できません（未対応の圧縮方式か、壊れています）");
    QTest::newRow("deflated, over the limit") << deflated << kTwoMegabytes << tooLarge;
    QTest::newRow("stored, over the limit") << stored << kTwoMegabytes << tooLarge;
}

void TstZipArchive::rawReadingReadsAsMinizipDoes() {
    QFETCH(QByteArray, zip);
    QFETCH(qint64, limit);
    QFETCH(QString, problem);
    const Read checked = readEntry(zip, ZipArchive::Checksum::ByArchive, limit);
    const Read raw = readEntry(zip, ZipArchive::Checksum::ByTaker, limit);
    QCOMPARE(raw.problem, problem.isEmpty() ? QString() : kName + problem);
    QCOMPARE(checked.problem, raw.problem);
    if (problem.isEmpty()) {
        QCOMPARE(raw.bytes, manyLines());
        QCOMPARE(checked.bytes, raw.bytes);
        QVERIFY(raw.summedAsClaimed);
    }
}

// Parts are read into again once let go: never while a taker still keeps
// one, however many it keeps and for however long.
void TstZipArchive::keptPartsStayAsTheyWere_data() {
    QTest::addColumn<int>("keptFor");
    QTest::newRow("none kept") << 0;
    QTest::newRow("each kept until the next") << 1;
    QTest::newRow("the last five kept") << 5;
    QTest::newRow("every part kept") << 1000;
}

void TstZipArchive::keptPartsStayAsTheyWere() {
    QFETCH(int, keptFor);
    const QByteArray lines = manyLines().repeated(2);
    auto opened = ZipArchive::open(test::zipOf({{kName, lines}}));
    const auto& zip = std::get<ZipArchive>(opened);
    struct KeptPart {
        qsizetype at;
        QByteArray bytes;
    };
    QList<KeptPart> kept;
    qsizetype parts = 0;
    qsizetype read = 0;
    bool changed = false;
    const auto problem = zip.read(kName, kNoLimit, [&](const QByteArray& part) {
        ++parts;
        kept.append({read, part});
        read += part.size();
        if (kept.size() > keptFor)
            kept.removeFirst();
        for (const KeptPart& old : kept)
            changed =
                changed || old.bytes != QByteArrayView(lines).sliced(old.at, old.bytes.size());
        return true;
    });
    QVERIFY(!problem);
    QVERIFY2(parts > 8, "more parts than are read into in turn");
    QCOMPARE(read, lines.size());
    QVERIFY(!changed);
}

QTEST_GUILESS_MAIN(TstZipArchive)
#include "tst_zip_archive.moc"
