#pragma once

#include "collection_terms.h"
#include "customer_columns.h"
#include "master_values.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <variant>
#include <vector>

namespace tokivane {

// What a customer's row gives: a closing day and pay day always, the holiday
// rule when the list has it (else the 回収条件 line's stands).
struct CustomerTerms {
    ClosingDay closing;
    PayDay pay;
    std::optional<HolidayRule> holidays;

    bool operator==(const CustomerTerms&) const = default;
};

// One row of the list as read.
struct CustomerRow {
    qsizetype line = 0;
    // As written, blanks around it taken off.
    QString code;
    QString name;
    // None when a cell could not be read; the note says why.
    std::optional<CustomerTerms> terms;
    QString note;
};

// What a code of the list gives a ledger: the row of its customer, and
// whether that row's terms stand (a code listed twice with different terms,
// or whose terms were not read, gives none).
struct ListedCode {
    qsizetype row = 0;
    bool givesTerms = false;
};

struct CustomerList {
    QString codeHeader;
    bool hasNames = false;
    std::vector<CustomerRow> rows;
    // By folded code.
    QHash<QString, ListedCode> byCode;
    // Codes of digits alone by their value without leading zeros, each with
    // the folded codes that have it.
    QHash<QString, QStringList> byValue;

    qsizetype customerCount() const { return byCode.size(); }
    qsizetype unreadCount() const;
};

// Reads a customer list whose first line names its columns, numbers in its
// 回収月 column counted as `counting` says; a message naming the headers
// looked for when it has no code column or no terms column.
std::variant<CustomerList, QString> readCustomerList(QStringView text, MonthCounting counting);

// Whether a header line names the columns of a customer list.
bool namesCustomerColumns(const QStringList& headers);

// The list's terms in one phrase: "20日締め翌月末払い 休日は前営業日".
QString customerTermsText(const CustomerTerms& terms);

// The list as read, for the 得意先一覧 view, copies and saves: コード,
// 得意先名, the terms as one phrase, and 備考.
inline constexpr int kCustomerColumnCount = 4;
QString customerHeaderText(int column);
QString customerCellText(const CustomerRow& row, int column);
QList<QStringList> customerListCells(const CustomerList& list);

} // namespace tokivane
