#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tokivane {

// The columns of a customer list, found by the headers sales and accounting
// software exports; the first column of each kind counts.
struct CustomerColumns {
    std::optional<qsizetype> code;
    std::optional<qsizetype> name;
    std::optional<qsizetype> closing;
    std::optional<qsizetype> payMonth;
    std::optional<qsizetype> payDay;
    std::optional<qsizetype> holidays;
    // One column of whole terms, read as phrases; a サイト column holds days.
    std::optional<qsizetype> terms;
    bool termsAreDays = false;

    bool anyTerms() const { return closing || payMonth || payDay || terms; }
};

CustomerColumns customerColumnsOf(const QStringList& headers);

// A ledger's customer code column: one of the names a list's code column has,
// or the header of the open list's own code column.
std::optional<qsizetype> codeColumnOf(const QStringList& headers, const QString& listCodeHeader);

// A ledger's own customer-name column.
std::optional<qsizetype> nameColumnOf(const QStringList& headers);

// The headers looked for, for the message that refuses a list without them.
QString codeHeadersText();
QString termsHeadersText();

} // namespace tokivane
