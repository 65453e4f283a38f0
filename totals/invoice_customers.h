#pragma once

#include "batch_table.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tokivane {

// Whom an invoice is for, as 得意先 says it: with a customer list joined, the
// list's code and name ("00123 山田商店"); else the ledger's code, with the
// name its name column gives the code's first row, or that name alone when
// it has no code column; empty when the ledger names no customer.
class InvoiceCustomers {
  public:
    explicit InvoiceCustomers(const BatchTable& table);

    // The same number for rows of the same customer; rows of one terms
    // entry have one customer unless only a name column names them.
    quint32 customerOf(qsizetype row);
    bool perEntry() const { return source_ != Source::Names; }
    QString textOf(quint32 customer) const;

  private:
    enum class Source { None, List, Codes, Names };

    quint32 customerNamed(std::u16string_view name, qsizetype row);
    QStringView rawNameOf(qsizetype row) const;
    QString nameOf(qsizetype row) const;

    const BatchTable& table_;
    Source source_ = Source::None;
    std::optional<qsizetype> nameColumn_;
    // A row of each customer, for its name; -1 before one is met.
    std::vector<qsizetype> firstRows_;
    // By the name cell as it stands in the source, the names met lately in
    // front.
    struct Remembered {
        std::u16string_view name;
        quint32 customer = 0;
    };
    std::unordered_map<std::u16string_view, quint32> names_;
    std::vector<Remembered> recentNames_;
};

} // namespace tokivane
