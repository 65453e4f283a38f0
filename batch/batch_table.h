#pragma once

#include "clock.h"
#include "customer_codes.h"
#include "date_forms.h"
#include "date_text.h"
#include "due_date.h"
#include "judging_ranges.h"
#include "row_terms.h"
#include "source_lines.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace tokivane {

// Input columns shown at most; a spreadsheet row rarely has more, and random
// bytes full of commas would otherwise make a table no one could read.
inline constexpr qsizetype kMaxInputColumns = 100;

// A line of the source with the date read from its judged cell. The cells
// stay in the source text, so a row holds no string.
struct BatchRow {
    // The record's text in the source.
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype line = 0;
    std::optional<Date> date;
    Unread unread = Unread::None;
    bool unbalancedQuote = false;
    // More cells than kMaxInputColumns; those after it are not shown.
    bool extraCells = false;
    // One bit per judged range; meaningful only while the table is judged.
    quint16 yes = 0;
    // The row's own closing day and terms: an entry of BatchTable::rowTerms.
    quint32 terms = 0;
};

// Many lines read for judging, and their judgements once judged.
struct BatchTable {
    // The text read, held once for every row's cells.
    QString source;
    QChar separator = u',';
    // Named by the header line when there is one, else "列1", "列2"...
    QStringList inputHeaders;
    qsizetype judgedColumn = 0;
    bool headerLine = false;
    QList<BatchRow> rows;
    std::optional<JudgingBasis> basis;
    // Columns that give rows their own closing day and terms, and what each
    // distinct pair of their cells says; entry 0 is a row with none.
    TermsColumns termsColumns;
    std::vector<RowTerms> rowTerms{RowTerms{}};
    // The column of customer codes, and each distinct code the rows name
    // (kNoCode first); whether the ledger names its customers itself.
    std::optional<qsizetype> codeColumn;
    std::vector<QString> codes;
    bool namesCustomers = false;
    // The column of amounts: named by the header, or chosen; 備考 says why a
    // cell in it is no amount.
    std::optional<qsizetype> amountColumn;
    // The 回収条件 line, and what each entry of rowTerms comes to over it;
    // filled when judged.
    CollectionTerms lineTerms;
    std::vector<CollectionTerms> effectiveTerms;
    // The customer list judged with, where each code leads in it, and the
    // entries of rowTerms whose customer gives no terms they lack: those rows
    // get no due dates rather than the line's.
    std::shared_ptr<const CustomerList> customers;
    std::vector<CodeMatch> codeMatches;
    std::vector<bool> withoutCustomer;
};

// The input cells of a row, split from the source when asked.
QStringList cellsOf(const BatchTable& table, const BatchRow& row);

// Reads the lines of a text a part at a time, so that a long text can show
// its progress and be given up between parts.
class BatchReader {
  public:
    // A ledger's code column is named as a customer list's is, or with
    // `listCodeHeader`, the open list's own header for it.
    BatchReader(QString text, const Clock& clock, QString listCodeHeader = {});

    bool atEnd() const { return columnChosen_ && splitter_.atEnd(); }
    // Reads up to `lines` more lines.
    void readMore(qsizetype lines);
    // How much of the text has been read, from 0 to 1.
    double progress() const;
    // Every line read; nothing is judged yet.
    BatchTable take() &&;

  private:
    void chooseColumn();
    void readRecord(const SourceRecord& record);
    QStringView textOf(const SourceRecord& record) const;
    quint32 ownTermsOf(QStringView text);

    BatchTable table_;
    const Clock& clock_;
    QString listCodeHeader_;
    RecordSplitter splitter_;
    RowTermsReader termsReader_;
    bool columnChosen_ = false;
    // The most cells a line has.
    qsizetype cellCount_ = 0;
};

// Reads every line of a text at once; nothing is judged yet.
BatchTable readBatch(QString text, const Clock& clock, QString listCodeHeader = {});

// Judges every row with a date against the basis's ranges, 前回請求 and
// 今回請求 by the row's own closing day, then its customer's, then the
// 回収条件 line's. With a customer list, rows with a code take their
// customer's terms.
void judgeBatch(BatchTable& table, const JudgingBasis& basis, const CollectionTerms& line,
                std::shared_ptr<const CustomerList> customers = nullptr);

// Whether the rows' codes are looked up in a customer list.
bool joinsCustomers(const BatchTable& table);

// A row whose customer gives no terms: a code not in the list, listed twice
// with different terms, or whose terms were not read.
bool lacksCustomer(const BatchTable& table, const BatchRow& row);

// The customer's row of the list a row's code leads to; none without one.
const CustomerRow* customerOfRow(const BatchTable& table, const BatchRow& row);

// What 備考 says of a row's code; empty when it needs saying nothing.
QString customerNote(const BatchTable& table, const BatchRow& row);

// The same with the terms the window starts from for its closing day.
void judgeBatch(BatchTable& table, const JudgingBasis& basis);

// Whether a judged row has 前回請求 and 今回請求: not for a 都度 closing, which
// has no period, nor for a closing-day cell that cannot be read.
bool billingJudged(const BatchTable& table, const BatchRow& row);

// Whether the judgement of the range at `index` is shown for a row: a date
// judged, and for 前回請求 and 今回請求 a closing day with periods.
bool judgementShown(const BatchTable& table, const BatchRow& row, int index);

// A judged row's 請求締日 and 回収予定日, or why there are none; no value for a
// row without a date, an unread terms cell or a table not judged.
std::optional<std::variant<DueDate, QString>> dueDateOfRow(const BatchTable& table,
                                                           const BatchRow& row);

// Whether the rows' closing days come from a column of their own.
bool closingDaysFromRows(const BatchTable& table);

// Forgets the judgements, as when the window's inputs fail Execute's checks.
void clearJudgements(BatchTable& table);

// What the status line counts.
struct BatchCounts {
    qsizetype rows = 0;
    qsizetype dates = 0;
    qsizetype unread = 0;
    // Rows with a date whose customer gives no terms.
    qsizetype withoutCustomer = 0;
};

BatchCounts countsOf(const BatchTable& table);

// How many rows the range at `index` holds.
qsizetype yesCount(const BatchTable& table, int index);

} // namespace tokivane
