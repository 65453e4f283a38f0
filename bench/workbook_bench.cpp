// A judged ledger of ten columns (dates, counts and amounts, text) saved as an
// Excel workbook: 100,000 rows beside their target, and 1,000,000 rows once,
// for information; with the size of each file and the memory the save added
// to the peak.
#include "stats.h"

#include "workbook_writer.h"

#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace std::chrono;
using Seconds = duration<double>;
using tokivane::SheetColumn;
using tokivane::SheetTable;

constexpr qsizetype kRows = 100'000;
constexpr int kRuns = 5;
constexpr double kTargetSeconds = 2;
constexpr qsizetype kManyRows = 1'000'000;

const QStringList kHeader{u"行"_qs,         u"得意先"_qs, u"記録日"_qs,   u"請求締日"_qs,
                          u"回収予定日"_qs, u"金額"_qs,   u"前回請求"_qs, u"今回請求"_qs,
                          u"曜日・和暦"_qs, u"備考"_qs};
const QList<SheetColumn> kColumns{SheetColumn::Number, SheetColumn::Text, SheetColumn::Date,
                                  SheetColumn::Date,   SheetColumn::Date, SheetColumn::Number,
                                  SheetColumn::Text,   SheetColumn::Text, SheetColumn::Text,
                                  SheetColumn::Text};

// Thousands separators as on screen: "1,234", "-1,234", "1,234.50".
const QLocale kGrouped(QLocale::English, QLocale::UnitedStates);

QString dateText(sys_days day) {
    const year_month_day date{day};
    return QString::asprintf("%02d/%02u/%02u", int(date.year()) % 100, unsigned(date.month()),
                             unsigned(date.day()));
}

// Rows as the screen writes them: a new day every few rows, amounts of every
// size and both signs, some with decimals, and a note on one row in twenty.
SheetTable ledger(qsizetype rows) {
    SheetTable table{u"判定結果"_qs, {kHeader}, kColumns};
    table.cells.reserve(rows + 1);
    const sys_days first{year{2025} / January / 1};
    for (qsizetype row = 1; row <= rows; ++row) {
        const sys_days day = first + days{row / 100};
        const qint64 yen = row * 7919 % 3'000'000 - (row % 37 == 0 ? 1'500'000 : 0);
        const QString amount =
            row % 10 == 0 ? kGrouped.toString(double(yen) + 0.5, 'f', 2) : kGrouped.toString(yen);
        table.cells.append({QString::number(row), u"得意先%1"_qs.arg(row % 5000), dateText(day),
                            dateText(day + days{20}), dateText(day + days{50}), amount,
                            row % 3 == 0 ? u"Yes"_qs : u"No"_qs,
                            row % 2 == 0 ? u"Yes"_qs : u"No"_qs,
                            u"2025年%1月%2日（金）令和7年"_qs.arg(row % 12 + 1).arg(row % 28 + 1),
                            row % 20 == 0 ? u"金額の列：金額として読めません"_qs : QString()});
    }
    return table;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

struct Saved {
    double seconds;
    double megabytes;
    double peakAdded;
};

// The median time of `runs` saves of the table, the file's size and what the
// saves added to the process's peak memory.
Saved save(const SheetTable& table, int runs) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"帳簿.xlsx"_qs);
    const double peakBefore = peakMegabytes();
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        const auto start = steady_clock::now();
        if (const auto failed = tokivane::writeWorkbookFile(path, {table})) {
            std::fprintf(stderr, "tokivane_workbook_bench: %s\n", qPrintable(*failed));
            std::exit(1);
        }
        samples.push_back(Seconds(steady_clock::now() - start).count());
    }
    return {tokivane::bench::median(samples), double(QFileInfo(path).size()) / (1024.0 * 1024.0),
            peakMegabytes() - peakBefore};
}

} // namespace

int main() {
    std::printf("Tables saved as Excel workbooks, 10 columns (dates, numbers, text), wall time\n");
    const Saved rows = save(ledger(kRows), kRuns);
    std::printf("  %-44s %10.3f s  target < %g s: %s\n", "100,000 rows saved (median of 5)",
                rows.seconds, kTargetSeconds, rows.seconds < kTargetSeconds ? "met" : "MISSED");
    std::printf("  %-44s %10.1f MB, peak memory added %.1f MB\n", "its file", rows.megabytes,
                rows.peakAdded);
    const Saved many = save(ledger(kManyRows), 1);
    std::printf("  %-44s %10.3f s  (once, for information)\n", "1,000,000 rows saved",
                many.seconds);
    std::printf("  %-44s %10.1f MB, peak memory added %.1f MB\n", "its file", many.megabytes,
                many.peakAdded);
    return 0;
}
