// Workbooks opened in 一括判定, offscreen: a sheet of ten columns (dates,
// codes, names, amounts, notes) from the file until the table is set, beside
// the same table as a CSV file opened the same way.
//
// Usage: tokivane_workbook_open_bench
#include "stats.h"

#include "batch_window.h"
#include "closing_day.h"
#include "judging_ranges.h"
#include "memory_form.h"
#include "workbook_parts.h"
#include "zip_archive.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

using namespace std::chrono;

const tokivane::FixedClock kToday{year{2025} / November / day{15}};
constexpr int kFirstSerial = 45292; // 2024-01-01
constexpr int kNames = 500;

struct Size {
    int rows;
    int runs;
};
constexpr Size kSmall{100'000, 3};
constexpr Size kLarge{1'000'000, 5};
constexpr double kSmallTargetSeconds = 1.0;
constexpr double kLargeTargetRatio = 3.0;

QByteArray inlineCell(const QByteArray& reference, const QByteArray& text) {
    return "<c r=\"" + reference + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

// The sheet and, cell for cell, the CSV text a workbook program would save.
std::pair<QByteArray, QByteArray> tables(int rows) {
    const QList<QByteArray> headers{"伝票日付", "得意先コード", "得意先名", "金額", "品名",
                                    "数量",     "単価",         "税区分",   "備考", "締日"};
    QByteArray sheet = "<sheetData><row r=\"1\">";
    QByteArray csv;
    for (qsizetype column = 0; column < headers.size(); ++column) {
        sheet += inlineCell(QByteArray(1, char('A' + column)) + "1", headers[column]);
        csv += (column ? "," : "") + headers[column];
    }
    sheet += "</row>";
    csv += "\n";
    for (int row = 2; row <= rows + 1; ++row) {
        const QByteArray r = QByteArray::number(row);
        const int serial = kFirstSerial + row / 1000;
        const year_month_day date{sys_days{year{1899} / December / 30} + days{serial}};
        const int code = 1000 + row % kNames;
        const int amount = (row * 37) % 100000;
        sheet +=
            "<row r=\"" + r + "\"><c r=\"A" + r + "\" s=\"1\"><v>" + QByteArray::number(serial) +
            "</v></c><c r=\"B" + r + "\"><v>" + QByteArray::number(code) + "</v></c><c r=\"C" + r +
            "\" t=\"s\"><v>" + QByteArray::number(code % kNames) + "</v></c><c r=\"D" + r +
            "\" s=\"2\"><v>" + QByteArray::number(amount) + "</v></c><c r=\"E" + r +
            "\" t=\"s\"><v>" + QByteArray::number(kNames) + "</v></c><c r=\"F" + r + "\"><v>" +
            QByteArray::number(row % 9 + 1) + "</v></c><c r=\"G" + r +
            "\"><v>120.5</v></c><c r=\"H" + r + "\" t=\"s\"><v>" + QByteArray::number(kNames + 1) +
            "</v></c>" + inlineCell("I" + r, "備考") + "<c r=\"J" + r + "\"><v>20</v></c></row>";
        csv += QStringLiteral("%1/%2/%3,")
                   .arg(int(date.year()))
                   .arg(unsigned(date.month()), 2, 10, QChar(u'0'))
                   .arg(unsigned(date.day()), 2, 10, QChar(u'0'))
                   .toUtf8() +
               QByteArray::number(code) + ",得意先" + QByteArray::number(code % kNames) + ",\"" +
               QLocale::c().toString(amount).toUtf8() + "\",品名," +
               QByteArray::number(row % 9 + 1) + ",120.5,課税,備考,20\n";
    }
    sheet += "</sheetData>";
    return {sheet, csv};
}

QByteArray sharedStrings() {
    QByteArray strings;
    for (int name = 0; name < kNames; ++name)
        strings += "<si><t>得意先" + QByteArray::number(name) + "</t></si>";
    return strings + "<si><t>品名</t></si><si><t>課税</t></si>";
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

double opening(tokivane::BatchWindow& window, const QString& path, int rows) {
    QElapsedTimer timer;
    timer.start();
    window.openFile(path);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const auto* view = window.findChild<QTableView*>(QStringLiteral("batchTable"));
    if (view->model()->rowCount() != rows) {
        std::fprintf(stderr, "%s: %d rows shown of %d\n", qPrintable(path),
                     view->model()->rowCount(), rows);
        std::exit(1);
    }
    return seconds;
}

struct Openings {
    double workbook;
    double plain;
    double ratio;
};

// The two files opened in turn, so that each ratio compares openings made
// while the machine ran at the same speed: on a shared machine it changes
// from one second to the next.
Openings medianOpenings(tokivane::BatchWindow& window, const QString& book, const QString& text,
                        Size size) {
    std::vector<double> workbooks, plains, ratios;
    for (int run = 0; run < size.runs; ++run) {
        workbooks.push_back(opening(window, book, size.rows));
        plains.push_back(opening(window, text, size.rows));
        ratios.push_back(workbooks.back() / plains.back());
    }
    return {tokivane::bench::median(workbooks), tokivane::bench::median(plains),
            tokivane::bench::median(ratios)};
}

// The sheet's XML only expanded, read by nothing: what no reading of it
// can take less than.
double expanding(const QByteArray& book) {
    QElapsedTimer timer;
    timer.start();
    const auto zip = tokivane::ZipArchive::open(book);
    qint64 bytes = 0;
    std::get<tokivane::ZipArchive>(zip).read(QStringLiteral("xl/worksheets/sheet1.xml"),
                                             std::numeric_limits<qint64>::max(),
                                             [&](QByteArrayView part) {
                                                 bytes += part.size();
                                                 return true;
                                             });
    return timer.nsecsElapsed() / 1e9;
}

void runSize(tokivane::BatchWindow& window, const QTemporaryDir& dir, Size size) {
    const auto [sheet, csv] = tables(size.rows);
    const QByteArray styles =
        "<numFmts><numFmt numFmtId=\"176\" formatCode=\"#,##0\"/></numFmts>"
        "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"176\"/></cellXfs>";
    const QString book = dir.filePath(QStringLiteral("ledger-%1.xlsx").arg(size.rows));
    const QString text = dir.filePath(QStringLiteral("ledger-%1.csv").arg(size.rows));
    const QByteArray bookBytes = tokivane::test::zipOf(tokivane::test::workbookEntries(
        {{QStringLiteral("売上"), sheet, {}}}, sharedStrings(), styles));
    write(book, bookBytes);
    write(text, csv);
    const Openings openings = medianOpenings(window, book, text, size);
    std::printf(
        "%9d rows × 10 columns: workbook %.2f s (%.1f MB; its %.0f MB of sheet XML expand in "
        "%.2f s), the same as CSV %.2f s (%.1f MB), %.1f× the CSV (the median of %d pairs)",
        size.rows, openings.workbook, bookBytes.size() / 1e6, sheet.size() / 1e6,
        expanding(bookBytes), openings.plain, QFile(text).size() / 1e6, openings.ratio, size.runs);
    if (size.rows == kSmall.rows)
        std::printf("   target: workbook under %.0f s\n", kSmallTargetSeconds);
    else
        std::printf("   target: within %.0f× the CSV\n", kLargeTargetRatio);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tokivane::BatchWindow window(kToday, [] {
        tokivane::MemoryForm form(QStringLiteral("25/11/15"), QStringLiteral("25/11/15"),
                                  tokivane::kDefaultClosingDayIndex);
        return tokivane::judgingBasisOf(form, kToday);
    });
    window.show();
    QTemporaryDir dir;
    runSize(window, dir, kSmall);
    runSize(window, dir, kLarge);
    return 0;
}
