// Workbooks read from any bytes (the ZIP layer: truncated, damaged, claimed
// sizes that lie) and from parts spliced out of the pieces real sheets,
// shared strings and number formats are made of (the XML layer): every
// workbook is read or refused with a reason, a read sheet is a text that
// splits into records like a file's, and the sheet scanner reads every sheet
// as Qt's XML reader does (the XML layer again, from its own pieces).
#include "source_lines.h"
#include "workbook_file.h"
#include "workbook_parts.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace tokivane;

constexpr const char* kSheetPieces[] = {"<row>",
                                        "<row r=\"1\">",
                                        "<row r=\"3\">",
                                        "<row r=\"1048576\">",
                                        "</row>",
                                        "<c>",
                                        "<c r=\"A1\">",
                                        "<c r=\"B1\" t=\"s\">",
                                        "<c r=\"XFD2\" s=\"1\">",
                                        "<c r=\"C1\" s=\"2\">",
                                        "<c t=\"inlineStr\">",
                                        "<c t=\"b\">",
                                        "<c t=\"e\">",
                                        "<c t=\"d\">",
                                        "<c t=\"str\">",
                                        "</c>",
                                        "<v>",
                                        "</v>",
                                        "<f>A1</f>",
                                        "0",
                                        "1",
                                        "60",
                                        "45413.5",
                                        "-1.5",
                                        "1e308",
                                        "2958466",
                                        "nan",
                                        "2024-05-01T00:00:00",
                                        "<is><t>",
                                        "<is>",
                                        "<c r=\"D1\" t=\"inlineStr\"><is><t>備考</t></is></c>",
                                        "\xEF\xBF\xBE",
                                        "</t></is>",
                                        "<r><t>",
                                        "</t></r>",
                                        "<rPh><t>",
                                        "</t></rPh>",
                                        "&amp;",
                                        "&#x0;",
                                        "_x000D_",
                                        "_x41",
                                        "\t",
                                        ",",
                                        "\"",
                                        "\n",
                                        "日付",
                                        "<mergeCells><mergeCell ref=\"A1:C3\"/></mergeCells>",
                                        "<mergeCell ref=\"A1:XFD1048576\"/>",
                                        "<mergeCell ref=\"B\"/>",
                                        "<![CDATA[x]]>",
                                        "<!-- -->"};
// The XML around the cells, as the scanner reads it or leaves it to Qt's reader.
constexpr const char* kXmlPieces[] = {
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>",
    "<?xml version='1.0' encoding='Shift_JIS'?>",
    "<?xml version=\"1.1\"?>",
    "<?pi x?>",
    "\xEF\xBB\xBF",
    "<worksheet xmlns=\"urn:m\" xmlns:x=\"urn:x\">",
    "<worksheet xmlns:y=\"\">",
    "</worksheet>",
    "<sheetData>",
    "</sheetData>",
    "<x:row r=\"2\">",
    "</x:row>",
    "<x:c r=\"A2\">",
    "</x:c>",
    "<z:c>",
    " x:dy=\"1\"",
    " x:r=\"B9\"",
    "<c r=\"A1\" r=\"A1\">",
    "<c r='C5' t='s'>",
    "<c r=\"A&#49;\" t = \"str\" >",
    "<c\tr=\"D1\"\n>",
    "<c r=\"E1\"/>",
    "<v/>",
    "<t xml:space=\"preserve\">",
    "<row r=\"4\" spans=\"1:3\" x:h=\"a&gt;b\">",
    "<row r=\"5\" x:h=\"1\" spans='1:2'>",
    "&lt;",
    "&#65;",
    "&#x3042;",
    "&#13;",
    "&#xFFFE;",
    "&#0;",
    "&nope;",
    "&amp",
    "\r",
    "\r\n",
    "]]>",
    "]]",
    ">",
    "<",
    "</",
    "/>",
    "\x01",
    "\xC3",
    "\xE3\x81\x82",
    "\xED\xA0\x80",
    "\xEF\xBF\xBF",
    " ",
    "<r:a xmlns:r=\"urn:r\"/>",
    "<r:a/>",
    "<1a>",
    "<a:>",
    "<!DOCTYPE x>"};
constexpr const char* kCodePieces[] = {
    "yyyy", "m",       "mmm",   "d",   "\"年\"", "[$-411]", "ggge",     "e",       "0",
    "#",    "?",       "#,##0", ".00", ".",      ",",       ";",        "%",       "E+00",
    "[h]",  ":mm",     ":ss",   "\\",  "_(",     "*",       "[Red]",    "[<=100]", "@",
    "?/?",  "General", "\"",    "[",   "]",      "AM/PM",   "[$¥-411]", "△"};
constexpr int kMostPieces = 64;

template <std::size_t Count>
QByteArray spliced(FuzzedDataProvider& data, const char* const (&pieces)[Count]) {
    QByteArray text;
    const int count = data.ConsumeIntegralInRange(0, kMostPieces);
    for (int at = 0; at < count && data.remaining_bytes() > 0; ++at)
        text += pieces[data.ConsumeIntegralInRange<std::size_t>(0, Count - 1)];
    return text;
}

QByteArray splicedWorkbook(FuzzedDataProvider& data) {
    const QByteArray sheet = "<sheetData>" + spliced(data, kSheetPieces) + "</sheetData>";
    const QByteArray strings = "<si><t>" + spliced(data, kSheetPieces) + "</t></si><si>" +
                               spliced(data, kSheetPieces) + "</si>";
    const QByteArray code = QString::fromUtf8(spliced(data, kCodePieces)).toHtmlEscaped().toUtf8();
    const QByteArray styles = "<numFmts><numFmt numFmtId=\"200\" formatCode=\"" + code +
                              "\"/></numFmts><cellXfs><xf numFmtId=\"14\"/><xf numFmtId=\"200\"/>"
                              "<xf numFmtId=\"" +
                              QByteArray::number(data.ConsumeIntegralInRange(0, 60)) +
                              "\"/></cellXfs>";
    return test::zipOf(test::workbookEntries({{QStringLiteral("S"), sheet, {}}}, strings, styles,
                                             data.ConsumeBool()));
}

// A workbook whose one sheet's XML is spliced whole, prolog and root too.
QByteArray splicedSheetXml(FuzzedDataProvider& data) {
    QByteArray sheet;
    const int count = data.ConsumeIntegralInRange(0, kMostPieces);
    for (int at = 0; at < count && data.remaining_bytes() > 0; ++at)
        sheet +=
            data.ConsumeBool()
                ? kXmlPieces[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kXmlPieces) - 1)]
                : kSheetPieces[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kSheetPieces) -
                                                                               1)];
    test::ZipEntries entries =
        test::workbookEntries({{QStringLiteral("S"), {}, {}}}, "<si><t>s</t></si>");
    for (auto& [name, bytes] : entries)
        if (name.startsWith(u"xl/worksheets/"))
            bytes = sheet;
    return test::zipOf(entries);
}

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

QString shown(const std::variant<QString, UnreadFile>& text) {
    if (const auto* unread = std::get_if<UnreadFile>(&text))
        return QStringLiteral("refused: ") + unread->reason;
    return QStringLiteral("read: ") + std::get<QString>(text);
}

void readEverySheet(const QByteArray& bytes) {
    auto workbook = openWorkbook(bytes);
    if (auto* unread = std::get_if<UnreadFile>(&workbook)) {
        if (unread->reason.isEmpty())
            fail("a workbook was refused without a reason");
        return;
    }
    const OpenWorkbook& open = std::get<OpenWorkbook>(workbook);
    for (qsizetype sheet = 0; sheet < open.index.sheets.size(); ++sheet) {
        const auto progress = [](double part) {
            if (part < 0 || part > 1)
                fail("progress left 0 to 1");
            return true;
        };
        auto text = readWorkbookSheet(open, sheet, progress);
        const auto byXmlReader =
            readWorkbookSheet(open, sheet, progress, SheetReader::XmlReaderOnly);
        if (byXmlReader != text) {
            const auto xml = open.zip.readWhole(open.index.sheets[sheet].part, 1 << 20);
            const QByteArray* bytes = std::get_if<QByteArray>(&xml);
            std::fprintf(stderr, "sheet: %s\nscanner: %s\nQt's XML reader: %s\n",
                         bytes ? bytes->toPercentEncoding(" <>/=\"'").constData() : "",
                         qPrintable(shown(text)), qPrintable(shown(byXmlReader)));
            fail("the scanner and Qt's XML reader read a sheet otherwise");
        }
        if (auto* unread = std::get_if<UnreadFile>(&text)) {
            if (unread->reason.isEmpty())
                fail("a sheet was refused without a reason");
            continue;
        }
        const QString& read = std::get<QString>(text);
        if (!read.isEmpty() && !read.endsWith(u'\n'))
            fail("a sheet's text does not end its last row");
        RecordSplitter records(read);
        while (!records.atEnd()) {
            const SourceRecord record = records.next();
            const QStringView cells =
                QStringView(read).sliced(record.start, record.end - record.start);
            if (cellsOfRecord(cells, records.separator()).size() != record.cellCount)
                fail("a record's cells were counted otherwise than split");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    switch (data.ConsumeIntegralInRange(0, 2)) {
    case 0: {
        const auto rest = data.ConsumeRemainingBytes<char>();
        readEverySheet(QByteArray(rest.data(), static_cast<qsizetype>(rest.size())));
        break;
    }
    case 1:
        readEverySheet(splicedWorkbook(data));
        break;
    default:
        readEverySheet(splicedSheetXml(data));
    }
    return 0;
}
