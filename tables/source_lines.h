#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <limits>
#include <optional>

namespace tokivane {

// Where one record of pasted or opened text lies in it; its cells are split
// again from there when they are wanted, so long texts hold no string a cell.
struct SourceRecord {
    // Where the record starts in the source, counting from 1; a quoted line
    // break makes a record span several lines.
    qsizetype number = 0;
    // The record's text, without its line break.
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype cellCount = 1;
    // A quote opened in this record and never closed; its text was read as
    // it stands.
    bool unbalancedQuote = false;
};

// Splits text into records at CRLF, LF or CR, and each record into cells at
// tabs (spreadsheet cells) or, when its first line holds none, at commas (CSV),
// honouring RFC 4180 quotes: a quoted cell may hold separators, line breaks
// and doubled quotes. One final line break ends the last record rather than
// adding an empty one.
class RecordSplitter {
  public:
    explicit RecordSplitter(QStringView text);

    bool atEnd() const { return at_ >= text_.size(); }
    SourceRecord next();
    // How much of the text the records so far cover.
    qsizetype position() const { return at_; }
    QChar separator() const { return separator_; }

  private:
    bool skipQuotedCell();

    QStringView text_;
    QChar separator_;
    qsizetype at_ = 0;
    qsizetype lineNumber_ = 1;
    qsizetype unclosedFrom_ = std::numeric_limits<qsizetype>::max();
};

// The cells of a record's text, split as the whole text was.
QStringList cellsOfRecord(QStringView record, QChar separator);

// The cell at `column` of a record's text; no value when it has fewer.
std::optional<QString> cellOfRecord(QStringView record, QChar separator, qsizetype column);

// The same cell as it stands in the record, quotes and all: the same raw
// text always reads as the same cell, without building it.
std::optional<QStringView> rawCellOfRecord(QStringView record, QChar separator, qsizetype column);

// The value of a cell as it stands, read in place when it is not quoted (most
// cells are not); a quoted one is unquoted into `storage`.
QStringView valueOfRawCell(QStringView raw, QChar separator, QString& storage);

// One record of pasted or opened text, split into its cells.
struct SourceLine {
    qsizetype number = 0;
    QStringList cells;
    bool unbalancedQuote = false;

    bool isEmpty() const { return cells.size() == 1 && cells.front().isEmpty(); }
};

QList<SourceLine> sourceLinesOf(QStringView text);

// The non-empty lines of a text, for telling a one-line paste from a column.
qsizetype nonEmptyLineCount(QStringView text);

} // namespace tokivane
