#include "closing_day.h"
#include "execute.h"
#include "judged_rows.h"
#include "memory_form.h"

#include <QTest>
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
constexpr int kFields = static_cast<int>(kAllOutputFields.size());

const FixedClock kClock{year{2025} / November / day{15}};

// Field texts are read back by hand, not by the program's own reading, so a
// wrong text cannot be read back the way it was written.
std::optional<sys_days> shownDate(const QString& text) {
    const auto digit = [&text](qsizetype at) { return text[at].unicode() - u'0'; };
    if (text.size() != 8 || text[2] != u'/' || text[5] != u'/')
        return std::nullopt;
    for (const qsizetype at : {0, 1, 3, 4, 6, 7})
        if (digit(at) < 0 || digit(at) > 9)
            return std::nullopt;
    const year_month_day date{year{2000 + digit(0) * 10 + digit(1)},
                              month{static_cast<unsigned>(digit(3) * 10 + digit(4))},
                              day{static_cast<unsigned>(digit(6) * 10 + digit(7))}};
    return date.ok() ? std::optional(sys_days{date}) : std::nullopt;
}

// A date as a user types it: with leading zeros, or without them and without
// pressing Enter.
QString typedText(sys_days date, bool padded) {
    const year_month_day ymd{date};
    return QString::asprintf(padded ? "%02d/%02u/%02u" : "%02d/%u/%u",
                             static_cast<int>(ymd.year()) % 100, static_cast<unsigned>(ymd.month()),
                             static_cast<unsigned>(ymd.day()));
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

struct Range {
    sys_days start;
    sys_days end;
    bool holds(sys_days date) const { return start <= date && date <= end; }
};

// Record dates tried against each judged row: just before, on and just after
// both ends.
constexpr int kBoundaryKinds = 4;
constexpr int kCandidates = static_cast<int>(kJudgedRows.size()) * kBoundaryKinds;

sys_days boundaryDate(const Range& range, int kind) {
    const std::array<sys_days, kBoundaryKinds> dates{range.start - days{1}, range.start, range.end,
                                                     range.end + days{1}};
    return dates[static_cast<std::size_t>(kind)];
}

// Keeps the first failed check of one run; the text is built only then.
class Check {
  public:
    void expect(bool ok, const char* what, std::optional<OutputField> field = {}) {
        if (ok || !failure_.isEmpty())
            return;
        failure_ = QString::fromUtf8(what);
        if (field)
            failure_ += QStringLiteral(" in ") + fieldName(*field);
    }
    const QString& failure() const { return failure_; }

  private:
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
    const year_month_day monthlyEnd{monthly.end};
    const year_month closedIn = monthlyEnd.year() / monthlyEnd.month();
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
    // per date, rotating, runs again with a record date just before, on or
    // just after an end of a judged row; rows and ends rotate too, so every
    // entry meets each of them every 216 days. The texts alternate between
    // typed forms with and without leading zeros.
    std::array<std::optional<Range>, kEntries> lastMonthly{};
    int dateIndex = 0;
    for (sys_days date = kFirstProcessingDate; date <= kLastProcessingDate; ++date, ++dateIndex) {
        const QString typed = typedText(date, unsigned{year_month_day{date}.month()} % 2 == 0);
        for (std::size_t entry = 0; entry < kClosingDays.size(); ++entry) {
            Check check;
            QString record = typedText(date, true);
            MemoryForm form(typed, record, static_cast<int>(entry));
            Execute(form, kClock);
            check.expect(form.messages().isEmpty(), "no message");
            check.expect(form.captionWrites() == kFields, "each run writes every field once");
            const Shown shown = readShown(form, typed, date, check);
            checkRanges(shown, date, kClosingDays[entry], check);
            checkJudgements(form, shown, date, check);

            auto& last = lastMonthly[entry];
            if (last && last->end != shown.monthlyCollection.end)
                check.expect(last->end + days{1} == shown.monthlyCollection.start,
                             "consecutive monthly collection periods join");
            last = shown.monthlyCollection;

            const int candidate = (dateIndex / kEntries) % kCandidates;
            const sys_days boundary =
                boundaryDate(shown.judged[static_cast<std::size_t>(candidate / kBoundaryKinds)],
                             candidate % kBoundaryKinds);
            if (dateIndex % kEntries == static_cast<int>(entry) &&
                boundary <= kLastProcessingDate) {
                record = typedText(boundary, (dateIndex / (kEntries * kCandidates)) % 2 == 0);
                form.setBox(DateBox::Text2, record);
                const QMap<OutputField, QString> before = form.captions();
                Execute(form, kClock);
                for (const OutputField field : kAllOutputFields) {
                    if (!isJudgement(field))
                        check.expect(form.caption(field) == before.value(field),
                                     "the record date changes judgements only", field);
                }
                checkJudgements(form, shown, boundary, check);
                check.expect(form.captionWrites() == 2 * kFields,
                             "each run writes every field once");
            }
            if (!check.failure().isEmpty())
                QFAIL(qPrintable(QStringLiteral("processing date %1, entry %2, record date %3: %4")
                                     .arg(typed, kClosingDayEntries[entry].toString(), record,
                                          check.failure())));
        }
    }
}

QTEST_APPLESS_MAIN(TestCalendarProperties)
#include "tst_calendar_properties.moc"
