#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tokivane {

// One record of pasted or opened text, split into its cells.
struct SourceLine {
    // Where the record starts in the source, counting from 1; a quoted line
    // break makes a record span several lines.
    qsizetype number = 0;
    QStringList cells;
    // A quote opened in this record and never closed; its text was read as
    // it stands.
    bool unbalancedQuote = false;

    bool isEmpty() const { return cells.size() == 1 && cells.front().isEmpty(); }
};

// Splits text into records at CRLF, LF or CR, and each record into cells at
// tabs (spreadsheet cells) or, when its first line holds none, at commas (CSV),
// honouring RFC 4180 quotes: a quoted cell may hold separators, line breaks
// and doubled quotes. One final line break ends the last record rather than
// adding an empty one.
QList<SourceLine> sourceLinesOf(QStringView text);

// The non-empty lines of a text, for telling a one-line paste from a column.
qsizetype nonEmptyLineCount(QStringView text);

} // namespace tokivane
