#pragma once

#include <QString>
#include <QStringView>

namespace tokivane {

// A paste into a date box. A single spreadsheet cell copies with a line
// break, which a one-line box would keep, invisible, and Execute would refuse.
struct BoxPaste {
    // Two or more non-empty lines: a column to judge at once.
    bool manyLines = false;
    // What goes into the box otherwise.
    QString text;
};

// The record date box takes one line without its break; more lines go to the
// batch judgement.
BoxPaste recordBoxPaste(QStringView clip);

// The processing date box takes the first non-empty line of any paste.
QString processingBoxPaste(QStringView clip);

bool hasLineBreak(QStringView text);

} // namespace tokivane
