#include "ledger_totals.h"

#include "amount_tally.h"
#include "due_keys.h"
#include "invoice_customers.h"

#include <map>
#include <unordered_map>

namespace tokivane {

namespace {

constexpr QStringView kAllRows = u"すべての行";
constexpr int kNoUnit = -1;

bool inTarget(const BatchTable& table, const BatchRow& row, Target target) {
    if (!target.judgement)
        return true;
    const int index = *target.judgement;
    return judgementShown(table, row, index) && ((row.yes >> index) & 1U);
}

// The rows of one due key and one customer.
struct Unit {
    quint32 key = 0;
    quint32 customer = 0;
    AmountTally tally;
};

// Rows with amounts added up into units by due key and customer, or as
// undated.
class Summing {
  public:
    Summing(const BatchTable& table, DueKeys& keys, InvoiceCustomers& customers)
        : table_(table), keys_(keys), customers_(customers) {}

    void add(qsizetype row, Amount amount) {
        const quint32 key = keys_.keyOf(table_.rows[row]);
        if (key == DueKeys::kNoDueDate) {
            undated.add(amount);
            return;
        }
        units[std::size_t(unitOf(key, customers_.customerOf(row)))].tally.add(amount);
    }

    std::vector<Unit> units;
    AmountTally undated;

  private:
    int unitOf(quint32 key, quint32 customer) {
        if (customers_.perEntry()) {
            if (key >= byKey_.size())
                byKey_.resize(key + 1, kNoUnit);
            if (byKey_[key] == kNoUnit)
                byKey_[key] = newUnit(key, customer);
            return byKey_[key];
        }
        // Rows of one customer and key come together more often than not.
        const quint64 tag = (quint64(key) << 32) | customer;
        Remembered& slot = recent_[std::size_t((tag * kMix) >> (64 - kRecentBits))];
        if (slot.tag != tag) {
            const auto [at, added] = byKeyAndCustomer_.try_emplace(tag, int(units.size()));
            if (added)
                newUnit(key, customer);
            slot = {tag, at->second};
        }
        return slot.unit;
    }
    int newUnit(quint32 key, quint32 customer) {
        units.push_back({key, customer, {}});
        return int(units.size()) - 1;
    }

    const BatchTable& table_;
    DueKeys& keys_;
    InvoiceCustomers& customers_;
    struct Remembered {
        quint64 tag = ~0ULL;
        int unit = kNoUnit;
    };
    static constexpr int kRecentBits = 12;
    static constexpr quint64 kMix = 0x9E3779B97F4A7C15ULL;

    std::vector<int> byKey_;
    std::unordered_map<quint64, int> byKeyAndCustomer_;
    std::vector<Remembered> recent_ = std::vector<Remembered>(std::size_t(1) << kRecentBits);
};

// Adds up the target's rows with amounts; the others are counted by why.
LeftOut sumRows(const BatchTable& table, const RowAmounts& amounts, Target target,
                Summing& summing) {
    LeftOut leftOut;
    const bool column = amounts.column().has_value() && amounts.size() == table.rows.size();
    for (qsizetype row = 0; row < table.rows.size(); ++row) {
        if (!inTarget(table, table.rows[row], target))
            ++leftOut.notInTarget;
        else if (!column)
            ++leftOut.noAmountColumn;
        else if (const std::optional<Amount> amount = amounts.amountOf(row))
            summing.add(row, *amount);
        else if (amounts.stateOf(row) == AmountState::Empty)
            ++leftOut.amountEmpty;
        else
            ++leftOut.amountRefused;
    }
    return leftOut;
}

// A code of digits before a name orders by its value, so that 9 comes
// before 10 and 0099 before 00123.
bool customerBefore(const QString& a, const QString& b) {
    const auto digits = [](const QString& text) {
        qsizetype end = 0;
        while (end < text.size() && text[end].isDigit() && text[end].unicode() < 0x80)
            ++end;
        qsizetype start = 0;
        while (start + 1 < end && text[start] == u'0')
            ++start;
        return QStringView(text).sliced(start, end - start);
    };
    const QStringView x = digits(a);
    const QStringView y = digits(b);
    if (!x.isEmpty() && !y.isEmpty() && x != y)
        return x.size() != y.size() ? x.size() < y.size() : x < y;
    return a < b;
}

struct InvoiceOrder {
    int closing = 0;
    QString customer;
    int periodStart = 0;
    int due = 0;

    bool operator<(const InvoiceOrder& other) const {
        if (closing != other.closing)
            return closing < other.closing;
        if (customer != other.customer)
            return customerBefore(customer, other.customer);
        if (periodStart != other.periodStart)
            return periodStart < other.periodStart;
        return due < other.due;
    }
};

InvoiceOrder invoiceOrderOf(const BatchTable& table, const DueKey& key, QString customer) {
    const ClosingDay closing = table.effectiveTerms[key.entry].closing;
    const Date previous = previousClosingDate(key.due.closing, closing);
    return {centuryDayOf(key.due.closing), std::move(customer), centuryDayOf(previous) + 1,
            centuryDayOf(key.due.due)};
}

// Tallies turned into figures, all with decimals when any amount had them;
// a tally past 64 bits refuses the whole totals.
class Figures {
  public:
    explicit Figures(bool decimals) : decimals_(decimals) {}

    Amount amountOf(const AmountTally& tally) {
        const auto total = tally.total();
        if (const auto* error = std::get_if<AmountError>(&total)) {
            refusal = error->reason;
            return {};
        }
        return {std::get<Amount>(total).hundredths, decimals_};
    }
    Figure of(const AmountTally& tally) { return {tally.count(), amountOf(tally)}; }

    std::optional<QString> refusal;

  private:
    bool decimals_ = false;
};

// The due dates in order with their running totals, then their months.
void addDueLines(LedgerTotals& totals, const std::vector<AmountTally>& byDay, Figures& figures) {
    AmountTally running;
    AmountTally month;
    std::optional<std::chrono::year_month> monthShown;
    const auto endMonth = [&] {
        if (monthShown)
            totals.months.push_back({*monthShown, figures.of(month)});
        month = {};
    };
    for (int day = 0; day < kCenturyDays; ++day) {
        const AmountTally& tally = byDay[std::size_t(day)];
        if (tally.count() == 0)
            continue;
        const Date due = dateOfCenturyDay(day);
        running.add(tally);
        totals.byDue.push_back({due, figures.of(tally), figures.amountOf(running)});
        if (monthShown != due.year() / due.month()) {
            endMonth();
            monthShown = due.year() / due.month();
        }
        month.add(tally);
    }
    endMonth();
}

} // namespace

QString targetCaption(Target target) {
    if (!target.judgement)
        return kAllRows.toString();
    return kRangeCaptions[std::size_t(*target.judgement)].toString();
}

LedgerTotals totalsOf(const BatchTable& table, const RowAmounts& amounts, Target target) {
    LedgerTotals totals;
    totals.target = target;
    DueKeys keys(table);
    InvoiceCustomers customers(table);
    Summing summing(table, keys, customers);
    totals.leftOut = sumRows(table, amounts, target, summing);

    std::vector<AmountTally> byDay(kCenturyDays);
    std::map<InvoiceOrder, AmountTally> invoices;
    AmountTally dated;
    for (const Unit& unit : summing.units) {
        const DueKey& key = keys.keys()[unit.key];
        byDay[std::size_t(centuryDayOf(key.due.due))].add(unit.tally);
        invoices[invoiceOrderOf(table, key, customers.textOf(unit.customer))].add(unit.tally);
        dated.add(unit.tally);
    }
    AmountTally all = dated;
    all.add(summing.undated);

    Figures figures(all.fractional());
    addDueLines(totals, byDay, figures);
    for (const auto& [order, tally] : invoices)
        totals.invoices.push_back({dateOfCenturyDay(order.closing), order.customer,
                                   dateOfCenturyDay(order.periodStart), dateOfCenturyDay(order.due),
                                   figures.of(tally)});
    totals.undated = figures.of(summing.undated);
    totals.dated = figures.of(dated);
    totals.all = figures.of(all);
    if (!figures.refusal)
        return totals;
    LedgerTotals refused;
    refused.target = target;
    refused.leftOut = totals.leftOut;
    refused.refusal = figures.refusal;
    return refused;
}

} // namespace tokivane
