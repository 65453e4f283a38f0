#include "invoice_customers.h"

#include "customer_columns.h"

namespace tokivane {

namespace {

constexpr qsizetype kNotMet = -1;
// A power of two: slots for the names met lately.
constexpr std::size_t kRecentNames = 1024;
// Between a customer's code and name.
constexpr QChar kBetween = u' ';

} // namespace

InvoiceCustomers::InvoiceCustomers(const BatchTable& table) : table_(table) {
    const auto names = table.headerLine ? nameColumnOf(table.inputHeaders) : std::nullopt;
    if (joinsCustomers(table)) {
        source_ = Source::List;
    } else if (table.codeColumn) {
        source_ = Source::Codes;
        nameColumn_ = names;
        firstRows_.assign(table.codes.size(), kNotMet);
    } else if (names) {
        source_ = Source::Names;
        nameColumn_ = names;
        recentNames_.resize(kRecentNames);
        // Customer 0 is a row without the cell.
        firstRows_.push_back(kNotMet);
    }
}

quint32 InvoiceCustomers::customerOf(qsizetype row) {
    const BatchRow& at = table_.rows[row];
    switch (source_) {
    case Source::None:
        return 0;
    case Source::List:
        // Rows whose code leads nowhere have no due date, so are never asked.
        return quint32(table_.codeMatches[table_.rowTerms[at.terms].code].row + 1);
    case Source::Codes: {
        const quint32 code = table_.rowTerms[at.terms].code;
        if (firstRows_[code] == kNotMet)
            firstRows_[code] = row;
        return code;
    }
    case Source::Names: {
        const QStringView raw = rawNameOf(row);
        if (raw.isNull())
            return 0;
        return customerNamed(std::u16string_view(raw.utf16(), std::size_t(raw.size())), row);
    }
    }
    return 0;
}

quint32 InvoiceCustomers::customerNamed(std::u16string_view name, qsizetype row) {
    Remembered& slot = recentNames_[std::hash<std::u16string_view>()(name) % kRecentNames];
    if (slot.name.data() != nullptr && slot.name == name)
        return slot.customer;
    const auto [at, added] = names_.try_emplace(name, quint32(firstRows_.size()));
    if (added)
        firstRows_.push_back(row);
    slot = {name, at->second};
    return at->second;
}

QString InvoiceCustomers::textOf(quint32 customer) const {
    switch (source_) {
    case Source::None:
        return {};
    case Source::List: {
        if (customer == 0)
            return {};
        const CustomerRow& listed = table_.customers->rows[customer - 1];
        return listed.name.isEmpty() ? listed.code : listed.code + kBetween + listed.name;
    }
    case Source::Codes: {
        const QString& code = table_.codes[customer];
        const QString name = code.isEmpty() ? QString() : nameOf(firstRows_[customer]);
        return name.isEmpty() ? code : code + kBetween + name;
    }
    case Source::Names:
        return nameOf(firstRows_[customer]);
    }
    return {};
}

QStringView InvoiceCustomers::rawNameOf(qsizetype row) const {
    const BatchRow& at = table_.rows[row];
    const QStringView record = QStringView(table_.source).sliced(at.start, at.end - at.start);
    return rawCellOfRecord(record, table_.separator, *nameColumn_).value_or(QStringView());
}

QString InvoiceCustomers::nameOf(qsizetype row) const {
    if (!nameColumn_ || row == kNotMet)
        return {};
    QString storage;
    return valueOfRawCell(rawNameOf(row), table_.separator, storage).trimmed().toString();
}

} // namespace tokivane
