// Workbooks read from any bytes (the ZIP layer: truncated, damaged, claimed
// sizes that lie) and from parts spliced out of the pieces real sheets,
// shared strings and number formats are made of (the XML layer): every
// workbook is read or refused with a reason, and a read sheet is a text that
// splits into records like a file's.
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

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
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
        auto text = readWorkbookSheet(open, sheet, [](double part) {
            if (part < 0 || part > 1)
                fail("progress left 0 to 1");
            return true;
        });
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
    if (data.ConsumeBool()) {
        const auto rest = data.ConsumeRemainingBytes<char>();
        readEverySheet(QByteArray(rest.data(), static_cast<qsizetype>(rest.size())));
    } else {
        readEverySheet(splicedWorkbook(data));
    }
    return 0;
}
