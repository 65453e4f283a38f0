#include "sheet_limits.h"

#include <QLocale>
#include <algorithm>

namespace tokivane {

namespace {

constexpr qsizetype kMaxRows = 1'048'576;
constexpr qsizetype kMaxColumns = 16'384;
constexpr qsizetype kMaxCellText = 32'767;

constexpr QStringView kTooManyRows =
    u"「%1」は%2行あり、Excelの1シートの上限%3行を超えるため保存できません";
constexpr QStringView kTooManyColumns =
    u"「%1」は%2列あり、Excelの1シートの上限%3列を超えるため保存できません";
constexpr QStringView kTooLongCell =
    u"「%1」の%2の%3が%4文字あり、Excelの1セルの上限%5文字を超えるため保存できません";
constexpr QStringView kHeaderLine = u"見出し";
constexpr QStringView kRowLine = u"%1行目";
// Longer captions would crowd the sentence: the column's place says it.
constexpr qsizetype kMaxCaption = 20;
constexpr QStringView kCaptionedColumn = u"「%1」";
constexpr QStringView kNumberedColumn = u"%1列目";

QString grouped(qsizetype n) {
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(qlonglong(n));
}

// The header, or a row as the screen counts them, from 1 under the header.
QString lineName(qsizetype line) {
    return line == 0 ? kHeaderLine.toString() : kRowLine.toString().arg(line);
}

// A column by its header's caption, or by its place when it has no short one.
QString columnName(const SheetTable& table, qsizetype column) {
    const QString caption = table.cells.value(0).value(column);
    return caption.isEmpty() || caption.size() > kMaxCaption
               ? kNumberedColumn.toString().arg(column + 1)
               : kCaptionedColumn.toString().arg(caption);
}

} // namespace

std::optional<QString> sheetRefusal(const SheetTable& table) {
    if (table.cells.size() > kMaxRows)
        return kTooManyRows.toString().arg(table.name, grouped(table.cells.size()),
                                           grouped(kMaxRows));
    qsizetype columns = 0;
    for (const QStringList& line : table.cells)
        columns = std::max(columns, line.size());
    if (columns > kMaxColumns)
        return kTooManyColumns.toString().arg(table.name, grouped(columns), grouped(kMaxColumns));
    for (qsizetype line = 0; line < table.cells.size(); ++line) {
        const QStringList& cells = table.cells[line];
        for (qsizetype column = 0; column < cells.size(); ++column) {
            if (cells[column].size() > kMaxCellText)
                return kTooLongCell.toString().arg(
                    table.name, lineName(line), columnName(table, column),
                    grouped(cells[column].size()), grouped(kMaxCellText));
        }
    }
    return std::nullopt;
}

} // namespace tokivane
