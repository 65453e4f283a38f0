#include "customer_list.h"

#include "closing_cell.h"
#include "customer_codes.h"
#include "source_lines.h"
#include "terms_cell.h"
#include "terms_phrase.h"

#include <algorithm>

namespace tokivane {

namespace {

constexpr QStringView kNoCodeColumn =
    u"得意先一覧にコードの列がありません（見出しを探した名前：%1）";
constexpr QStringView kNoTermsColumn =
    u"得意先一覧に締日・支払条件の列がありません（見出しを探した名前：%1）";
constexpr QStringView kEmptyList = u"得意先一覧に見出しの行がありません";
constexpr QStringView kBlankCode = u"コードが空です";
constexpr QStringView kNoClosing = u"締日が書かれていません";
constexpr QStringView kNoPay = u"回収月・回収日が書かれていません";
constexpr QStringView kCellNote = u"%1の列：%2";
constexpr QStringView kTwiceDiffering = u"コード%1が%2回あり、条件が違います（使いません）";
constexpr QStringView kTwiceSame = u"コード%1が%2回あります（同じ条件）";
constexpr QStringView kTermsUnread = u"条件が読めないため使いません";
constexpr QStringView kPhraseUnused = u"（締日・回収月・回収日の列で計算）";
constexpr std::array<QStringView, kCustomerColumnCount> kViewHeaders{u"コード", u"得意先名",
                                                                     u"支払条件", u"備考"};

// The cells of one record of the list, and its headers for notes.
class RowCells {
  public:
    RowCells(const QStringList& headers, QStringList cells)
        : headers_(headers), cells_(std::move(cells)) {}

    // The cell's value; empty for a blank cell or a column the list lacks.
    QString at(std::optional<qsizetype> column) const {
        return column ? cells_.value(*column).trimmed() : QString();
    }
    QString note(qsizetype column, const QString& why) const {
        return kCellNote.toString().arg(headers_.value(column), why);
    }

  private:
    const QStringList& headers_;
    QStringList cells_;
};

// What one row's cells say, or the first reason they do not.
class TermsOfRow {
  public:
    TermsOfRow(const RowCells& cells, const CustomerColumns& columns, MonthCounting counting)
        : cells_(cells), columns_(columns), counting_(counting) {}

    std::optional<CustomerTerms> read() {
        readPhrase();
        const auto closing = readClosing();
        const auto pay = readPay();
        const auto holidays = readHolidays();
        if (!note_.isEmpty() || !closing || !pay)
            return std::nullopt;
        // The columns said all the phrase might have: it is not needed.
        if (phraseError_)
            note_ = *phraseError_ + kPhraseUnused.toString();
        return CustomerTerms{*closing, *pay, holidays};
    }
    const QString& note() const { return note_; }

  private:
    void fail(qsizetype column, const QString& why) {
        if (note_.isEmpty())
            note_ = cells_.note(column, why);
    }
    void fail(QStringView why) {
        if (note_.isEmpty())
            note_ = why.toString();
    }

    void readPhrase() {
        const QString cell = cells_.at(columns_.terms);
        if (cell.isEmpty())
            return;
        const auto reading = readTermsPhrase(termsPhraseOfCell(cell, columns_.termsAreDays));
        if (const auto* error = std::get_if<TermsPhraseError>(&reading))
            phraseError_ = cells_.note(*columns_.terms, error->message);
        else
            phrase_ = std::get<TermsPhrase>(reading);
    }

    // A part the columns leave to the phrase cannot come from one unread.
    bool phraseUnread() {
        if (phraseError_)
            fail(*phraseError_);
        return phraseError_.has_value();
    }

    std::optional<ClosingDay> readClosing() {
        const QString cell = cells_.at(columns_.closing);
        if (cell.isEmpty()) {
            if (!phraseUnread() && !phrase_.closing)
                fail(kNoClosing);
            return phrase_.closing;
        }
        const auto reading = readClosingCell(cell);
        if (const auto* error = std::get_if<TermsPhraseError>(&reading)) {
            fail(*columns_.closing, error->message);
            return std::nullopt;
        }
        return std::get<ClosingDay>(reading);
    }

    // From the month and day columns when the month is written, else from
    // the phrase; a month without a day is paid at its end.
    std::optional<PayDay> readPay() {
        const QString month = cells_.at(columns_.payMonth);
        if (month.isEmpty()) {
            if (!phraseUnread() && !phrase_.pay)
                fail(kNoPay);
            return phrase_.pay;
        }
        const auto months = readPayMonth(month, counting_);
        if (const auto* error = std::get_if<ValueError>(&months)) {
            fail(*columns_.payMonth, error->reason);
            return std::nullopt;
        }
        const QString dayCell = cells_.at(columns_.payDay);
        const auto day = dayCell.isEmpty() ? kMonthEndPayDay : readPayDayCell(dayCell);
        if (const auto* error = std::get_if<ValueError>(&day)) {
            fail(*columns_.payDay, error->reason);
            return std::nullopt;
        }
        return PayDay::monthAndDay(std::get<int>(months), std::get<int>(day));
    }

    std::optional<HolidayRule> readHolidays() {
        const QString cell = cells_.at(columns_.holidays);
        if (cell.isEmpty())
            return phrase_.holidays;
        const auto rule = readHolidayCell(cell);
        if (const auto* error = std::get_if<ValueError>(&rule)) {
            fail(*columns_.holidays, error->reason);
            return std::nullopt;
        }
        return std::get<HolidayRule>(rule);
    }

    const RowCells& cells_;
    const CustomerColumns& columns_;
    MonthCounting counting_;
    TermsPhrase phrase_;
    std::optional<QString> phraseError_;
    QString note_;
};

CustomerRow rowOf(const SourceLine& line, const QStringList& headers,
                  const CustomerColumns& columns, MonthCounting counting) {
    const RowCells cells(headers, line.cells);
    CustomerRow row;
    row.line = line.number;
    row.code = cells.at(columns.code);
    row.name = cells.at(columns.name);
    TermsOfRow terms(cells, columns, counting);
    row.terms = terms.read();
    row.note = terms.note();
    return row;
}

void addNote(CustomerRow& row, const QString& note) {
    row.note = row.note.isEmpty() ? note : row.note + u'、' + note;
}

// Each code's rows: one that gives terms, or none when they disagree or
// cannot be read; every row of a code listed twice says so.
void indexCodes(CustomerList& list) {
    QHash<QString, QList<qsizetype>> rowsOf;
    for (qsizetype at = 0; at < qsizetype(list.rows.size()); ++at) {
        CustomerRow& row = list.rows[static_cast<std::size_t>(at)];
        const QString code = foldedCode(row.code);
        if (code.isEmpty())
            addNote(row, kBlankCode.toString());
        else
            rowsOf[code].append(at);
    }
    for (auto it = rowsOf.cbegin(); it != rowsOf.cend(); ++it) {
        const QList<qsizetype>& rows = it.value();
        const CustomerRow& first = list.rows[static_cast<std::size_t>(rows.front())];
        const bool agree = std::ranges::all_of(rows, [&](qsizetype at) {
            return list.rows[static_cast<std::size_t>(at)].terms == first.terms;
        });
        const bool givesTerms = agree && first.terms.has_value();
        list.byCode.insert(it.key(), ListedCode{rows.front(), givesTerms});
        if (const QString value = codeValue(it.key()); !value.isEmpty())
            list.byValue[value].append(it.key());
        if (rows.size() > 1) {
            const QString note =
                (agree ? kTwiceSame : kTwiceDiffering).toString().arg(first.code).arg(rows.size());
            for (const qsizetype at : rows)
                addNote(list.rows[static_cast<std::size_t>(at)], note);
        } else if (!givesTerms) {
            addNote(list.rows[static_cast<std::size_t>(rows.front())], kTermsUnread.toString());
        }
    }
}

} // namespace

qsizetype CustomerList::unreadCount() const {
    return std::ranges::count_if(rows, [](const CustomerRow& row) { return !row.terms; });
}

bool namesCustomerColumns(const QStringList& headers) {
    const CustomerColumns columns = customerColumnsOf(headers);
    return columns.code && columns.anyTerms();
}

std::variant<CustomerList, QString> readCustomerList(QStringView text, MonthCounting counting) {
    // Record by record: a long list holds no split lines beyond the one read.
    RecordSplitter splitter(text);
    const auto nextLine = [&]() -> std::optional<SourceLine> {
        while (!splitter.atEnd()) {
            const SourceRecord record = splitter.next();
            SourceLine line{record.number,
                            cellsOfRecord(text.sliced(record.start, record.end - record.start),
                                          splitter.separator()),
                            record.unbalancedQuote};
            if (!line.isEmpty())
                return line;
        }
        return std::nullopt;
    };
    const auto header = nextLine();
    if (!header)
        return kEmptyList.toString();
    const QStringList& headers = header->cells;
    const CustomerColumns columns = customerColumnsOf(headers);
    if (!columns.code)
        return kNoCodeColumn.toString().arg(codeHeadersText());
    if (!columns.anyTerms())
        return kNoTermsColumn.toString().arg(termsHeadersText());
    CustomerList list;
    list.codeHeader = headers[*columns.code];
    list.hasNames = columns.name.has_value();
    while (const auto line = nextLine())
        list.rows.push_back(rowOf(*line, headers, columns, counting));
    indexCodes(list);
    return list;
}

QString customerTermsText(const CustomerTerms& terms) {
    return phraseOfParts(TermsPhrase{terms.closing, terms.pay, terms.holidays});
}

QString customerHeaderText(int column) {
    return column >= 0 && column < kCustomerColumnCount
               ? kViewHeaders[static_cast<std::size_t>(column)].toString()
               : QString();
}

QString customerCellText(const CustomerRow& row, int column) {
    switch (column) {
    case 0:
        return row.code;
    case 1:
        return row.name;
    case 2:
        return row.terms ? customerTermsText(*row.terms) : QString();
    case 3:
        return row.note;
    default:
        return {};
    }
}

QList<QStringList> customerListCells(const CustomerList& list) {
    QList<QStringList> cells;
    cells.reserve(qsizetype(list.rows.size()) + 1);
    QStringList header;
    for (int column = 0; column < kCustomerColumnCount; ++column)
        header.append(customerHeaderText(column));
    cells.append(header);
    for (const CustomerRow& row : list.rows) {
        QStringList line;
        for (int column = 0; column < kCustomerColumnCount; ++column)
            line.append(customerCellText(row, column));
        cells.append(line);
    }
    return cells;
}

} // namespace tokivane
