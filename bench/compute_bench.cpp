// Computation benchmarks: date completion, each calculator and a whole Execute
// on the in-memory window, and Execute over every processing date it accepts
// with every closing-day entry. After Google Benchmark's own table it prints
// the figures against their targets.
#include "billing_periods.h"
#include "closing_day.h"
#include "complete_date.h"
#include "date_text.h"
#include "execute.h"
#include "ledger_daily.h"
#include "memory_form.h"
#include "payment_periods.h"
#include "report_ranges.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono;
using tokivane::DateBox;
using tokivane::FixedClock;
using tokivane::MemoryForm;

// The typical run: today 25/11/15, record date 25/02/28, closing on the 20th.
const FixedClock kToday{year{2025} / November / day{15}};
const QString kProcessingDate = QStringLiteral("25/11/15");
const QString kRecordDate = QStringLiteral("25/02/28");

constexpr double kExecuteTargetSeconds = 5e-6;
constexpr double kSweepTargetSeconds = 1.0;

void BM_CompleteDate(benchmark::State& state, const QString& typed) {
    for (auto _ : state) {
        QString text = typed;
        tokivane::CompleteDate(text, kToday);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK_CAPTURE(BM_CompleteDate, enter_alone, QString());
BENCHMARK_CAPTURE(BM_CompleteDate, day, QStringLiteral("11"));
BENCHMARK_CAPTURE(BM_CompleteDate, month_day, QStringLiteral("2/29"));
BENCHMARK_CAPTURE(BM_CompleteDate, full_date, QStringLiteral("24/2/30"));
BENCHMARK_CAPTURE(BM_CompleteDate, full_width, QStringLiteral("１１／２"));

template <auto Calculator> void BM_Calculator(benchmark::State& state) {
    MemoryForm form(kProcessingDate, kRecordDate, tokivane::kDefaultClosingDayIndex);
    for (auto _ : state)
        Calculator(form);
}
void billing(MemoryForm& form) {
    tokivane::CalcBillingPeriods(form, kToday);
}
void ledger(MemoryForm& form) {
    tokivane::CalcLedgerDaily(form);
}
void reports(MemoryForm& form) {
    tokivane::CalcReportRanges(form);
}
void payment(MemoryForm& form) {
    tokivane::CalcPaymentPeriods(form, kToday);
}
BENCHMARK(BM_Calculator<billing>)->Name("BM_CalcBillingPeriods");
BENCHMARK(BM_Calculator<ledger>)->Name("BM_CalcLedgerDaily");
BENCHMARK(BM_Calculator<reports>)->Name("BM_CalcReportRanges");
BENCHMARK(BM_Calculator<payment>)->Name("BM_CalcPaymentPeriods");

void BM_Execute(benchmark::State& state) {
    MemoryForm form(kProcessingDate, kRecordDate, tokivane::kDefaultClosingDayIndex);
    for (auto _ : state)
        tokivane::Execute(form, kToday);
    if (!form.messages().isEmpty())
        state.SkipWithError("Execute refused the typical inputs");
}
BENCHMARK(BM_Execute);

// Every processing date Execute accepts, 02/01/01 to 99/12/31.
std::vector<QString> sweepDates() {
    std::vector<QString> dates;
    for (sys_days day{year{2002} / January / 1}; day <= sys_days{year{2099} / December / 31};
         day += days{1})
        dates.push_back(tokivane::dateTextOf(year_month_day{day}));
    return dates;
}

void BM_ExecuteSweep(benchmark::State& state) {
    const std::vector<QString> dates = sweepDates();
    const auto entries = static_cast<int>(tokivane::kClosingDayEntries.size());
    MemoryForm form(QString(), kRecordDate, 0);
    for (auto _ : state) {
        for (int entry = 0; entry < entries; ++entry) {
            form.select(entry);
            for (const QString& date : dates) {
                form.setBox(DateBox::Text1, date);
                tokivane::Execute(form, kToday);
            }
        }
    }
    // A refused date would be timed on the short path; none may be.
    if (!form.messages().isEmpty())
        state.SkipWithError("Execute refused a date of the sweep");
    const auto executes = static_cast<double>(dates.size()) * entries;
    state.counters["executes"] = executes;
    state.counters["per_execute"] = benchmark::Counter(
        executes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ExecuteSweep)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Google Benchmark's table, then the figures the targets are judged on. The
// judgement uses CPU time: on a shared machine the wall time of a single
// thread also counts the time others held its core.
class TargetReporter final : public benchmark::ConsoleReporter {
  public:
    TargetReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const auto iterations = static_cast<double>(run.iterations);
            const auto executes = run.counters.find("executes");
            figures_[run.run_name.function_name] = {
                run.cpu_accumulated_time / iterations, run.real_accumulated_time / iterations,
                executes == run.counters.end() ? 1.0 : executes->second.value};
        }
    }

    void printTargets() const {
        std::printf("\nTargets (CPU time; wall time in brackets)\n");
        line("Execute, typical inputs", "BM_Execute", kExecuteTargetSeconds, 1e6, "us");
        line("whole sweep", "BM_ExecuteSweep", kSweepTargetSeconds, 1e3, "ms");
        if (const auto sweep = figures_.find("BM_ExecuteSweep"); sweep != figures_.end()) {
            const Figures& figures = sweep->second;
            std::printf("  %-24s %10.3f us (%.3f)  over %.0f Executes\n", "sweep, per Execute",
                        figures.cpu / figures.executes * 1e6, figures.wall / figures.executes * 1e6,
                        figures.executes);
        }
    }

  private:
    // Seconds per iteration, and the Executes one iteration runs.
    struct Figures {
        double cpu;
        double wall;
        double executes;
    };

    void line(const char* what, const std::string& name, double limit, double scale,
              const char* unit) const {
        const auto found = figures_.find(name);
        if (found == figures_.end()) {
            std::printf("  %-24s %13s  target < %g %s\n", what, "not run", limit * scale, unit);
            return;
        }
        const Figures& figures = found->second;
        std::printf("  %-24s %10.3f %s (%.3f)  target < %g %s: %s\n", what, figures.cpu * scale,
                    unit, figures.wall * scale, limit * scale, unit,
                    figures.cpu < limit ? "met" : "MISSED");
    }

    std::map<std::string, Figures> figures_;
};

} // namespace

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTargets();
    benchmark::Shutdown();
    return 0;
}
