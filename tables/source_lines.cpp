#include "source_lines.h"

namespace tokivane {

namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kTab = u'\t';
constexpr QChar kComma = u',';

bool isLineBreak(QChar c) {
    return c == u'\n' || c == u'\r';
}

// The end of a line break starting at `at`: CRLF counts once.
qsizetype afterLineBreak(QStringView text, qsizetype at) {
    return text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? at + 2 : at + 1;
}

qsizetype countLineBreaks(QStringView part) {
    qsizetype count = 0;
    for (qsizetype at = 0; at < part.size();
         at = isLineBreak(part[at]) ? afterLineBreak(part, at) : at + 1)
        count += isLineBreak(part[at]) ? 1 : 0;
    return count;
}

// Spreadsheet cells when the first record has a tab outside quotes, else CSV;
// a quoted CSV cell may hold a tab of its own. As the splitters below, only a
// quote that begins a cell opens one: a spreadsheet copies a cell such as
// 5"x3" bare.
QChar separatorOf(QStringView text) {
    bool quoted = false;
    bool cellStart = true;
    // A quote right after the closing one is a doubled quote inside.
    bool justClosed = false;
    for (const QChar c : text) {
        if (quoted) {
            quoted = c != kQuote;
            justClosed = !quoted;
        } else if (c == kQuote && (cellStart || justClosed)) {
            quoted = true;
            cellStart = false;
        } else if (c == kTab) {
            return kTab;
        } else if (isLineBreak(c)) {
            break;
        } else {
            cellStart = c == kComma;
            justClosed = false;
        }
    }
    return kComma;
}

// The cells of one record. The record holds no line break outside quotes,
// and a quote that never closed in the whole text does not close in it.
class CellSplitter {
  public:
    CellSplitter(QStringView record, QChar separator) : text_(record), separator_(separator) {}

    QStringList cells() {
        QStringList cells;
        for (;;) {
            cells.append(nextCell());
            if (at_ >= text_.size())
                return cells;
            ++at_; // the separator
        }
    }

    std::optional<QString> cell(qsizetype column) {
        for (qsizetype at = 0;; ++at) {
            QString text = nextCell();
            if (at == column)
                return text;
            if (at_ >= text_.size())
                return std::nullopt;
            ++at_; // the separator
        }
    }

    // The cell's text as it stands in the record, quotes and all.
    std::optional<QStringView> rawCell(qsizetype column) {
        for (qsizetype at = 0;; ++at) {
            const qsizetype start = at_;
            skipCell();
            if (at == column)
                return text_.sliced(start, at_ - start);
            if (at_ >= text_.size())
                return std::nullopt;
            ++at_; // the separator
        }
    }

  private:
    // As nextCell, without building the cell.
    void skipCell() {
        if (at_ < text_.size() && text_[at_] == kQuote) {
            qsizetype pos = at_ + 1;
            for (;;) {
                const qsizetype quote = text_.indexOf(kQuote, pos);
                if (quote < 0)
                    break;
                if (quote + 1 < text_.size() && text_[quote + 1] == kQuote) {
                    pos = quote + 2;
                    continue;
                }
                at_ = quote + 1;
                break;
            }
        }
        while (at_ < text_.size() && text_[at_] != separator_)
            ++at_;
    }

    QString nextCell() {
        QString cell;
        if (at_ < text_.size() && text_[at_] == kQuote)
            cell = quotedPart();
        const qsizetype start = at_;
        while (at_ < text_.size() && text_[at_] != separator_)
            ++at_;
        return cell.append(text_.sliced(start, at_ - start));
    }

    // The quoted part of a cell, its quotes undoubled; nothing, and nothing
    // passed, when the quote never closes.
    QString quotedPart() {
        QString cell;
        qsizetype pos = at_ + 1;
        for (;;) {
            const qsizetype quote = text_.indexOf(kQuote, pos);
            if (quote < 0)
                return {};
            cell += text_.sliced(pos, quote - pos);
            if (quote + 1 < text_.size() && text_[quote + 1] == kQuote) {
                cell += kQuote;
                pos = quote + 2;
                continue;
            }
            at_ = quote + 1;
            return cell;
        }
    }

    QStringView text_;
    QChar separator_;
    qsizetype at_ = 0;
};

} // namespace

RecordSplitter::RecordSplitter(QStringView text) : text_(text), separator_(separatorOf(text)) {}

SourceRecord RecordSplitter::next() {
    SourceRecord record;
    record.number = lineNumber_;
    record.start = at_;
    for (;;) {
        if (at_ < text_.size() && text_[at_] == kQuote && !skipQuotedCell())
            record.unbalancedQuote = true;
        while (at_ < text_.size() && text_[at_] != separator_ && !isLineBreak(text_[at_]))
            ++at_;
        record.end = at_;
        if (at_ >= text_.size())
            return record;
        if (isLineBreak(text_[at_])) {
            at_ = afterLineBreak(text_, at_);
            ++lineNumber_;
            return record;
        }
        ++at_; // the separator
        ++record.cellCount;
    }
}

// Passes a cell's quoted part, counting the line breaks in it. Once a scan
// has found no closing quote, no later one can, so the text is scanned once.
bool RecordSplitter::skipQuotedCell() {
    if (at_ >= unclosedFrom_)
        return false;
    qsizetype pos = at_ + 1;
    qsizetype lineBreaks = 0;
    for (;;) {
        const qsizetype quote = text_.indexOf(kQuote, pos);
        if (quote < 0) {
            unclosedFrom_ = at_;
            return false;
        }
        lineBreaks += countLineBreaks(text_.sliced(pos, quote - pos));
        if (quote + 1 < text_.size() && text_[quote + 1] == kQuote) {
            pos = quote + 2;
            continue;
        }
        at_ = quote + 1;
        lineNumber_ += lineBreaks;
        return true;
    }
}

QStringList cellsOfRecord(QStringView record, QChar separator) {
    return CellSplitter(record, separator).cells();
}

std::optional<QString> cellOfRecord(QStringView record, QChar separator, qsizetype column) {
    return CellSplitter(record, separator).cell(column);
}

std::optional<QStringView> rawCellOfRecord(QStringView record, QChar separator, qsizetype column) {
    return CellSplitter(record, separator).rawCell(column);
}

QStringView valueOfRawCell(QStringView raw, QChar separator, QString& storage) {
    if (raw.isEmpty() || raw.front() != kQuote)
        return raw;
    storage = cellOfRecord(raw, separator, 0).value_or(QString());
    return storage;
}

QList<SourceLine> sourceLinesOf(QStringView text) {
    QList<SourceLine> lines;
    RecordSplitter splitter(text);
    while (!splitter.atEnd()) {
        const SourceRecord record = splitter.next();
        lines.append({record.number,
                      cellsOfRecord(text.sliced(record.start, record.end - record.start),
                                    splitter.separator()),
                      record.unbalancedQuote});
    }
    return lines;
}

qsizetype nonEmptyLineCount(QStringView text) {
    qsizetype count = 0;
    bool inLine = false;
    for (const QChar c : text) {
        if (isLineBreak(c)) {
            inLine = false;
        } else if (!inLine) {
            inLine = true;
            ++count;
        }
    }
    return count;
}

} // namespace tokivane
