#include "calculators/closing_day.h"
#include "calculators/execute.h"
#include "support/judged_rows.h"
#include "support/memory_form.h"

#include <QTest>
#include <algorithm>
#include <array>
#include <chrono>
#include <optional>

using namespace tokivane;
using namespace std::chrono;

// Every processing date Execute accepts, with every closing-day entry, checked
// against calendar arithmetic rather than the text steps the calculators use.

namespace {

// The closing day of each list entry; 0 closes on the month's last day.
constexpr std::array<unsigned, 6> kClosingDays{10, 15, 20, 25, 0, 0};
static_assert(kClosingDays.size() == kClosingDayEntries.size());
constexpr int kEntries = static_cast<int>(kClosingDays.size());

constexpr sys_days kFirstProcessingDate{year{2002} / January / 1};
constexpr sys_days kLastProcessingDate{year{2099} / December / 31};
constexpr int kDateCount = (kLastProcessingDate - kFirstProcessingDate).count() + 1;

const FixedClock kClock{year{2025} / November / day{15}};

// Field texts are read back by hand, so a wrong text cannot be read back
// the way it was written.
std::optional<sys_days> shownDate(const QString& text) {
    if (text.size() != 8 || text[2] != u'/' || text[5] != u'/')
        return std::nullopt;
    std::array<unsigned, 3> parts{};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const char16_t tens = text[static_cast<qsizetype>(3 * i)].unicode();
        const char16_t ones = text[static_cast<qsizetype>(3 * i + 1)].unicode();
        if (tens < u'0' || tens > u'9' || ones < u'0' || ones > u'9')
            return std::nullopt;
        parts[i] = (tens - u'0') * 10u + (ones - u'0');
    }
    const year_month_day date{year{2000 + static_cast<int>(parts[0])}, month{parts[1]},
                              day{parts[2]}};
    if (!date.ok())
        return std::nullopt;
    return sys_days{date};
}

// A date as a user types it: with leading zeros, or without them and without
// pressing Enter.
QString typedText(sys_days date, bool padded) {
    const year_month_day ymd{date};
    const int yy = static_cast<int>(ymd.year()) % 100;
    const unsigned mm = static_cast<unsigned>(ymd.month());
    const unsigned dd = static_cast<unsigned>(ymd.day());
    return padded ? QString::asprintf("%02d/%02u/%02u", yy, mm, dd)
                  : QString::asprintf("%02d/%u/%u", yy, mm, dd);
}

year_month monthOf(sys_days date) {
    const year_month_day ymd{date};
    return ymd.year() / ymd.month();
}

sys_days closingIn(year_month month, unsigned closingDay) {
    return closingDay == 0 ? sys_days{month / last} : sys_days{month / day{closingDay}};
}

// True when `start` is the 1 December that opens the fiscal year holding `date`.
bool opensFiscalYearOf(sys_days start, sys_days date) {
    const year_month_day ymd{start};
    return ymd.month() == December && ymd.day() == day{1} && start <= date &&
           date < sys_days{(ymd.year() + years{1}) / December / 1};
}

enum Row {
    PreviousInvoice,
    CurrentInvoice,
    DayBefore,
    Backlog,
    FiscalYear,
    Daily,
    Weekly,
    Monthly,
    Yearly
};

// Record dates tried against each judged row: just before, on and just after
// both ends.
enum class Boundary { BeforeStart, Start, End, AfterEnd };
constexpr int kBoundaryKinds = 4;
constexpr int kCandidates = static_cast<int>(kJudgedRows.size()) * kBoundaryKinds;

struct Range {
    sys_days start;
    sys_days end;
    bool holds(sys_days date) const { return start <= date && date <= end; }
};

sys_days boundaryDate(const Range& range, Boundary boundary) {
    switch (boundary) {
    case Boundary::BeforeStart:
        return range.start - days{1};
    case Boundary::Start:
        return range.start;
    case Boundary::End:
        return range.end;
    case Boundary::AfterEnd:
        break;
    }
    return range.end + days{1};
}

// Collects the first failed check of one run, with what is needed to repeat it.
class Check {
  public:
    Check(const QString& processing, int entry) : processing_(processing), entry_(entry) {}

    void expect(bool ok, const char* what) {
        if (!ok && failure_.isEmpty())
            failure_ = QStringLiteral("processing date %1, entry %2: %3")
                           .arg(processing_,
                                kClosingDayEntries[static_cast<std::size_t>(entry_)].toString(),
                                QString::fromUtf8(what));
    }
    void expect(bool ok, const char* what, OutputField field) {
        if (!ok && failure_.isEmpty()) {
            expect(false, what);
            failure_ += QStringLiteral(" in ") + fieldName(field);
        }
    }
    void setRecord(const QString& record) {
        processing_ += QStringLiteral(", record date ") + record;
    }
    const QString& failure() const { return failure_; }

  private:
    QString processing_;
    int entry_;
    QString failure_;
};

// What one Execute showed, read back as dates.
struct Shown {
    std::array<Range, kJudgedRows.size()> judged;
    sys_days billingClosing;
    sys_days paymentClosing;
    Range monthlyCollection;
    Range yearlyCollection;
};

Shown readShown(const MemoryForm& form, const QString& typed, sys_days processing, Check& check) {
    for (const OutputField field : kProcessingDateEchoes)
        check.expect(form.caption(field) == typed, "the box text as typed", field);
    const auto shown = [&](OutputField field) {
        if (isProcessingDateEcho(field))
            return processing;
        const auto date = shownDate(form.caption(field));
        check.expect(date.has_value(), "a date text", field);
        return date.value_or(sys_days{});
    };
    Shown result{};
    for (std::size_t row = 0; row < kJudgedRows.size(); ++row)
        result.judged[row] = {shown(kJudgedRows[row].start), shown(kJudgedRows[row].end)};
    result.billingClosing = shown(Label24);
    result.paymentClosing = shown(Label60);
    result.monthlyCollection = {shown(Label61), shown(Label62)};
    result.yearlyCollection = {shown(Label63), shown(Label64)};
    return result;
}

void checkRanges(const Shown& shown, sys_days processing, unsigned closingDay, Check& check) {
    const year_month_day ymd{processing};
    const year_month thisMonth = ymd.year() / ymd.month();
    for (const Range& range : shown.judged)
        check.expect(range.start <= range.end, "a range starts on or before its end");
    for (const Range& range : {shown.monthlyCollection, shown.yearlyCollection})
        check.expect(range.start <= range.end, "a collection starts on or before its end");

    // Invoicing: last month's period, and the current one joining it.
    const Range& previous = shown.judged[PreviousInvoice];
    const Range& current = shown.judged[CurrentInvoice];
    check.expect(shown.billingClosing == closingIn(thisMonth, closingDay), "invoicing closing");
    check.expect(previous.end == closingIn(thisMonth - months{1}, closingDay),
                 "previous invoice ends on last month's closing");
    check.expect(previous.start == closingIn(thisMonth - months{2}, closingDay) + days{1},
                 "previous invoice starts after the closing before");
    check.expect(previous.end + days{1} == current.start, "invoicing periods join");

    // Ledger.
    const Range& dayBefore = shown.judged[DayBefore];
    const Range& backlog = shown.judged[Backlog];
    check.expect(dayBefore.start + days{1} == processing, "the day before");
    check.expect(backlog.end == dayBefore.start, "backlog ends the day before");
    check.expect(opensFiscalYearOf(backlog.start, dayBefore.start), "backlog's fiscal year");
    check.expect(opensFiscalYearOf(shown.judged[FiscalYear].start, processing),
                 "ledger's fiscal year");

    // Report ranges.
    const sys_days weekStart = shown.judged[Weekly].start;
    check.expect(weekday{weekStart} == Monday, "week starts on a Monday");
    check.expect(processing - weekStart <= days{6}, "week starts at most six days back");
    check.expect(shown.judged[Monthly].start == sys_days{thisMonth / 1}, "month start");
    check.expect(opensFiscalYearOf(shown.judged[Yearly].start, processing), "report's fiscal year");

    // Payment breakdown: the latest collection period closed before the
    // processing date, and the twelve closed last November.
    const Range& monthly = shown.monthlyCollection;
    const Range& yearly = shown.yearlyCollection;
    const year_month closedIn = monthOf(monthly.end);
    check.expect(shown.paymentClosing == closingIn(thisMonth, closingDay), "payment closing");
    check.expect(monthly.end == closingIn(closedIn, closingDay),
                 "monthly collection ends on a closing date");
    check.expect(monthly.end < processing, "monthly collection closed before the processing date");
    check.expect(closingIn(closedIn + months{1}, closingDay) >= processing,
                 "no later collection period closed before the processing date");
    check.expect(monthly.start == closingIn(closedIn - months{1}, closingDay) + days{1},
                 "monthly collection starts after the closing before");
    check.expect(yearly.end == closingIn((ymd.year() - years{1}) / November, closingDay),
                 "yearly collection ends on last year's November closing");
    check.expect(yearly.start ==
                     closingIn((ymd.year() - years{2}) / November, closingDay) + days{1},
                 "yearly collection starts after the November closing before");
}

void checkJudgements(const MemoryForm& form, const Shown& shown, sys_days record, Check& check) {
    for (std::size_t row = 0; row < kJudgedRows.size(); ++row) {
        const QStringView expected = shown.judged[row].holds(record) ? u"Yes" : u"No";
        check.expect(form.caption(kJudgedRows[row].judgement) == expected, "judgement",
                     kJudgedRows[row].judgement);
    }
}

} // namespace

class TestCalendarProperties : public QObject {
    Q_OBJECT

  private slots:
    void everyProcessingDateAndEntry();
};

void TestCalendarProperties::everyProcessingDateAndEntry() {
    // Every run is checked with the processing date as record date. One entry
    // per date, rotating, runs again with a record date on or just outside an
    // end of a judged row, rotating through rows and ends; the texts alternate
    // between typed forms with and without leading zeros.
    std::array<std::array<int, kCandidates>, kEntries> tried{};
    std::array<std::optional<Range>, kEntries> lastMonthly{};

    int dateIndex = 0;
    for (sys_days date = kFirstProcessingDate; date <= kLastProcessingDate; ++date, ++dateIndex) {
        const year_month_day ymd{date};
        const QString typed = typedText(date, static_cast<unsigned>(ymd.month()) % 2 == 0);

        for (int entry = 0; entry < kEntries; ++entry) {
            Check check(typed, entry);
            MemoryForm form(typed, typedText(date, true), entry);
            Execute(form, kClock);
            check.expect(form.messages().isEmpty(), "no message");
            const Shown shown = readShown(form, typed, date, check);
            checkRanges(shown, date, kClosingDays[static_cast<std::size_t>(entry)], check);
            checkJudgements(form, shown, date, check);

            auto& last = lastMonthly[static_cast<std::size_t>(entry)];
            if (last && last->end != shown.monthlyCollection.end)
                check.expect(last->end + days{1} == shown.monthlyCollection.start,
                             "consecutive monthly collection periods join");
            last = shown.monthlyCollection;

            const int candidate = (dateIndex / kEntries) % kCandidates;
            const sys_days record =
                boundaryDate(shown.judged[static_cast<std::size_t>(candidate / kBoundaryKinds)],
                             static_cast<Boundary>(candidate % kBoundaryKinds));
            if (dateIndex % kEntries == entry && record <= kLastProcessingDate) {
                ++tried[static_cast<std::size_t>(entry)][static_cast<std::size_t>(candidate)];
                const QString recordText =
                    typedText(record, (dateIndex / (kEntries * kCandidates)) % 2 == 0);
                check.setRecord(recordText);
                form.setBox(DateBox::Text2, recordText);
                const QMap<OutputField, QString> before = form.captions();
                Execute(form, kClock);
                for (const OutputField field : kAllOutputFields) {
                    if (!isJudgement(field))
                        check.expect(form.caption(field) == before.value(field),
                                     "the record date changes judgements only", field);
                }
                checkJudgements(form, shown, record, check);
                check.expect(form.captionWrites() == 2 * static_cast<int>(kAllOutputFields.size()),
                             "each run writes every field once");
            }
            if (!check.failure().isEmpty())
                QFAIL(qPrintable(check.failure()));
        }
    }

    // Each end of each judged row must have been tried often with every entry,
    // or the judgement checks above prove little.
    const int expected = kDateCount / (kEntries * kCandidates) - 1;
    for (int entry = 0; entry < kEntries; ++entry) {
        for (int candidate = 0; candidate < kCandidates; ++candidate) {
            const int count =
                tried[static_cast<std::size_t>(entry)][static_cast<std::size_t>(candidate)];
            if (count < expected)
                QFAIL(qPrintable(QStringLiteral("boundary %1 with entry %2 tried %3 times")
                                     .arg(candidate)
                                     .arg(entry)
                                     .arg(count)));
        }
    }
}

QTEST_APPLESS_MAIN(TestCalendarProperties)
#include "tst_calendar_properties.moc"
