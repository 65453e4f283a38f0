#include "source_lines.h"

#include <limits>
#include <optional>

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

// Spreadsheet cells when the first record has a tab outside quotes, else CSV;
// a quoted CSV cell may hold a tab of its own.
QChar separatorOf(QStringView text) {
    bool quoted = false;
    for (const QChar c : text) {
        if (c == kQuote)
            quoted = !quoted;
        else if (!quoted && c == kTab)
            return kTab;
        else if (!quoted && isLineBreak(c))
            break;
    }
    return kComma;
}

class Splitter {
  public:
    explicit Splitter(QStringView text) : text_(text), separator_(separatorOf(text)) {}

    QList<SourceLine> lines() {
        QList<SourceLine> lines;
        while (at_ < text_.size())
            lines.append(nextLine());
        return lines;
    }

  private:
    SourceLine nextLine() {
        SourceLine line;
        line.number = lineNumber_;
        for (;;) {
            line.cells.append(nextCell(line));
            if (at_ >= text_.size())
                return line;
            if (isLineBreak(text_[at_])) {
                at_ = afterLineBreak(text_, at_);
                ++lineNumber_;
                return line;
            }
            ++at_; // the separator
        }
    }

    QString nextCell(SourceLine& line) {
        if (at_ < text_.size() && text_[at_] == kQuote) {
            if (const auto quoted = quotedCell())
                return *quoted;
            line.unbalancedQuote = true;
        }
        return plainCell();
    }

    // Up to the next separator or line break.
    QString plainCell() {
        const qsizetype start = at_;
        while (at_ < text_.size() && text_[at_] != separator_ && !isLineBreak(text_[at_]))
            ++at_;
        return text_.sliced(start, at_ - start).toString();
    }

    // A cell in quotes, with anything after its closing quote kept as it
    // stands. No value when the quote never closes: once a scan has found
    // no closing quote, no later one can, so the text is scanned once.
    std::optional<QString> quotedCell() {
        if (at_ >= unclosedFrom_)
            return std::nullopt;
        QString cell;
        qsizetype pos = at_ + 1;
        qsizetype lineBreaks = 0;
        for (;;) {
            const qsizetype quote = text_.indexOf(kQuote, pos);
            if (quote < 0) {
                unclosedFrom_ = at_;
                return std::nullopt;
            }
            const QStringView part = text_.sliced(pos, quote - pos);
            lineBreaks += countLineBreaks(part);
            cell += part;
            if (quote + 1 < text_.size() && text_[quote + 1] == kQuote) {
                cell += kQuote;
                pos = quote + 2;
                continue;
            }
            at_ = quote + 1;
            lineNumber_ += lineBreaks;
            return cell + plainCell();
        }
    }

    static qsizetype countLineBreaks(QStringView part) {
        qsizetype count = 0;
        for (qsizetype at = 0; at < part.size();
             at = isLineBreak(part[at]) ? afterLineBreak(part, at) : at + 1)
            count += isLineBreak(part[at]) ? 1 : 0;
        return count;
    }

    QStringView text_;
    QChar separator_;
    qsizetype at_ = 0;
    qsizetype lineNumber_ = 1;
    qsizetype unclosedFrom_ = std::numeric_limits<qsizetype>::max();
};

} // namespace

QList<SourceLine> sourceLinesOf(QStringView text) {
    return Splitter(text).lines();
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
