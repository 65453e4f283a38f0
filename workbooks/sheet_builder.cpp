#include "sheet_builder.h"

#include "cell_text.h"
#include "csv_file.h"
#include "source_lines.h"
#include "text_escapes.h"

#include <QHash>
#include <QList>
#include <algorithm>
#include <bit>
#include <limits>

namespace tokivane {

namespace {

constexpr QChar kTab = u'\t';
constexpr QChar kLineEnd = u'\n';
// Cells kept as they show before the store is emptied: far more days and
// amounts than a ledger repeats, far fewer than a sheet's cells; and texts
// no longer than a name or a note.
constexpr qsizetype kMaxKeptCells = 200000;
constexpr qsizetype kMaxKeptTextBytes = 64;

} // namespace

SheetBuilder::SheetBuilder(const SheetContext& context) : context_(context) {
    quotedStrings_.reserve(context.sharedStrings->size());
    for (const QString& string : *context.sharedStrings)
        quotedStrings_.append(csvCell(string));
}

void SheetBuilder::start(const SheetTag& tag) {
    switch (tag.element) {
    case SheetElement::Cell:
        startCell(tag);
        break;
    case SheetElement::Row:
        startRow(tag.reference);
        break;
    case SheetElement::MergeCell:
        addMerge(tag.range);
        break;
    default:
        nesting_.start(tag.element);
        break;
    }
}

void SheetBuilder::end(SheetElement element) {
    switch (element) {
    case SheetElement::Cell:
        endCell();
        break;
    case SheetElement::Row:
        endRow();
        break;
    default:
        nesting_.end(element);
        break;
    }
}

void SheetBuilder::addCell(const PlainCell& cell) {
    if (!openCell(cell.reference, cell.style))
        return;
    nesting_.end(SheetElement::Cell);
    // As the elements holding the value would collect it.
    const bool collected = cell.holder != PlainCell::None && !nesting_.inPhonetic();
    const QByteArrayView value = collected ? cell.value : QByteArrayView();
    const auto decoded = [&] {
        return cell.ascii ? QString(QLatin1StringView(value)) : QString::fromUtf8(value);
    };
    if (isStringType(cell.type)) {
        if (value.size() > kMaxKeptTextBytes) {
            appendShown(unescapedText(decoded()));
            return;
        }
        // Looked up without a copy of the bytes, kept with one.
        auto known = textCells_.constFind(QByteArray::fromRawData(value.data(), value.size()));
        if (known == textCells_.cend())
            known = keep(textCells_, value.toByteArray(), csvCell(unescapedText(decoded())));
        appendCell(*known);
        return;
    }
    const bool number = cell.type.isEmpty();
    if ((number || cell.type == QLatin1StringView("s")) && cell.ascii &&
        appendKnownCell(number, QLatin1StringView(value),
                        formatOfCellStyle(*context_.styles, style_)))
        return;
    type_ = cell.type;
    value_ = decoded();
    endCell();
}

void SheetBuilder::refuse(const QString& reason) {
    if (!problem_)
        problem_ = reason;
}

std::variant<QString, UnreadFile> SheetBuilder::finish(bool ended) {
    if (!ended)
        refuse(QStringLiteral("途中で切れています"));
    auto merged = problem_ ? std::nullopt : filledMerges();
    if (problem_)
        return UnreadFile{*problem_};
    return merged ? std::move(*merged) : text_.take();
}

void SheetBuilder::startRow(QStringView reference) {
    const auto row =
        reference.isEmpty() ? std::optional<int>(rows_ + 1) : rowOfReference(reference);
    if (!row || *row <= rows_) {
        refuse(QStringLiteral("行番号が読めないか、順に並んでいません（%1）").arg(reference));
        return;
    }
    // Rows without cells of their own are empty lines.
    while (rows_ < *row - 1) {
        lineStarts_.push_back(text_.size());
        text_.append(kLineEnd);
        ++rows_;
    }
    lineStarts_.push_back(text_.size());
    rows_ = *row;
    cells_ = 0;
    inRow_ = true;
}

void SheetBuilder::endRow() {
    text_.append(kLineEnd);
    inRow_ = false;
    if (text_.size() > kMaxFileBytes)
        refuse(QStringLiteral("シートが大きすぎます（表の文字が200 MBを超えます）"));
}

void SheetBuilder::startCell(const SheetTag& tag) {
    if (!openCell(tag.reference, tag.style))
        return;
    // Assigned in place: a sheet has a million cells.
    type_.resize(0);
    type_ += tag.type;
    value_.resize(0);
}

template <typename View> bool SheetBuilder::openCell(View reference, View style) {
    if (!inRow_) {
        refuse(QStringLiteral("行の外にセルがあります"));
        return false;
    }
    const auto column =
        reference.isEmpty() ? std::optional<int>(cells_) : columnOfReference(reference);
    if (!column || *column < cells_) {
        refuse(QStringLiteral("セル番地が読めないか、順に並んでいません（%1）").arg(reference));
        return false;
    }
    column_ = *column;
    // Most cells have no style: the default one.
    const auto digits = style.isEmpty() ? std::optional<qint64>(0) : digitsValue(style);
    style_ = digits && *digits <= std::numeric_limits<int>::max() ? int(*digits)
                                                                  : style.toString().toInt();
    nesting_.openCell();
    return true;
}

void SheetBuilder::endCell() {
    nesting_.end(SheetElement::Cell);
    const NumberFormat& format = formatOfCellStyle(*context_.styles, style_);
    const bool number = type_.isEmpty();
    if ((number || type_ == u"s") && appendKnownCell(number, QStringView(value_), format))
        return;
    const auto shown =
        textOfCell({type_, value_, &format}, *context_.sharedStrings, context_.dates);
    if (!shown)
        return refuseSharedString();
    if (const auto key = number ? keptNumberKey(QStringView(value_), format) : std::nullopt)
        keep(numberCells_, *key, csvCell(*shown));
    appendShown(*shown);
}

// Most cells of a ledger need little: plain numbers shown as they are
// written, shared strings, amounts through their format's code, and dates
// seen before. Whether the cell was one; if not, it is read as any other.
template <typename View>
bool SheetBuilder::appendKnownCell(bool number, View value, const NumberFormat& format) {
    if (!number) {
        const auto at = digitsValue(value);
        if (!at || *at >= quotedStrings_.size())
            return false;
        appendCell(quotedStrings_[*at]);
        return true;
    }
    if (format.kind == FormatKind::General && isShownAsGeneral(value)) {
        appendCell(value);
        return true;
    }
    if (format.kind == FormatKind::Number && format.number) {
        const auto whole = wholeNumberValue(value);
        if (!whole)
            return false;
        appendShown(format.number->text(*whole));
        return true;
    }
    const auto key = keptNumberKey(value, format);
    const auto known = key ? numberCells_.constFind(*key) : numberCells_.cend();
    if (known == numberCells_.cend())
        return false;
    appendCell(*known);
    return true;
}

// Whole numbers shown as dates are kept by their style and value, the
// value by its bits: -0 is not 0. Amounts are not kept: they seldom repeat
// close together, and looking them up costs more than writing them.
template <typename View>
std::optional<SheetBuilder::NumberKey>
SheetBuilder::keptNumberKey(View value, const NumberFormat& format) const {
    if (format.kind != FormatKind::Date)
        return std::nullopt;
    const auto whole = wholeNumberValue(value);
    if (!whole)
        return std::nullopt;
    return NumberKey{style_, std::bit_cast<quint64>(*whole)};
}

// Kept until there are too many, then all let go: a sheet repeats its
// values within a stretch of rows.
template <typename Key>
typename QHash<Key, QString>::const_iterator SheetBuilder::keep(QHash<Key, QString>& kept,
                                                                const Key& key, QString shown) {
    if (kept.size() >= kMaxKeptCells)
        kept.clear();
    return kept.insert(key, std::move(shown));
}

void SheetBuilder::refuseSharedString() {
    refuse(QStringLiteral("共有文字列の番号が範囲外です（%1）").arg(value_));
}

// Tabs up to the cell's column, unless it is empty: an empty cell is no
// cell, and the line ends before it. Whether the cell is to be appended.
bool SheetBuilder::placeCell(bool empty) {
    if (empty)
        return false;
    const int separators = cells_ == 0 ? column_ : column_ - cells_ + 1;
    text_.append(kTab, separators);
    cells_ = column_ + 1;
    widest_ = std::max(widest_, cells_);
    return true;
}

template <typename View> void SheetBuilder::appendCell(View shown) {
    if (placeCell(shown.isEmpty()))
        text_.append(shown);
}

void SheetBuilder::appendShown(const QString& shown) {
    if (placeCell(shown.isEmpty()))
        appendCsvCell(text_, shown);
}

void SheetBuilder::addMerge(QStringView range) {
    const qsizetype colon = range.indexOf(u':');
    const QStringView first = colon < 0 ? range : range.left(colon);
    const QStringView last = colon < 0 ? range : range.sliced(colon + 1);
    const auto firstColumn = columnOfReference(first);
    const auto lastColumn = columnOfReference(last);
    const auto firstRow = rowOfReference(first);
    const auto lastRow = rowOfReference(last);
    if (!firstColumn || !lastColumn || !firstRow || !lastRow || *lastRow < *firstRow ||
        *lastColumn < *firstColumn) {
        refuse(QStringLiteral("結合セルの範囲が読めません（%1）").arg(range));
        return;
    }
    merges_.push_back(Merge{*firstRow - 1, *lastRow - 1, *firstColumn, *lastColumn});
}

QStringView SheetBuilder::line(qsizetype row) const {
    const qsizetype start = lineStarts_[row];
    const qsizetype end =
        row + 1 < qsizetype(lineStarts_.size()) ? lineStarts_[row + 1] : text_.size();
    return text_.view().sliced(start, end - start - 1);
}

// Every cell of a merged range shows the top-left one's value; ranges reach
// no further than the rows and columns that hold cells. No text where there
// is nothing to fill.
std::optional<QString> SheetBuilder::filledMerges() {
    QHash<qsizetype, QList<std::pair<int, QString>>> fills;
    qsizetype filled = 0;
    for (const Merge& merge : merges_) {
        if (merge.firstRow >= qsizetype(lineStarts_.size()) || merge.firstColumn >= widest_)
            continue;
        const QString value =
            cellOfRecord(line(merge.firstRow), kTab, merge.firstColumn).value_or(QString());
        if (value.isEmpty())
            continue;
        const int lastRow = std::min<int>(merge.lastRow, int(lineStarts_.size()) - 1);
        const int lastColumn = std::min(merge.lastColumn, widest_ - 1);
        for (int row = merge.firstRow; row <= lastRow; ++row)
            for (int column = merge.firstColumn; column <= lastColumn; ++column)
                if (row != merge.firstRow || column != merge.firstColumn) {
                    fills[row].append({column, value});
                    if ((filled += value.size() + 1) > kMaxFileBytes) {
                        refuse(QStringLiteral("結合セルを埋めると大きすぎます"));
                        return std::nullopt;
                    }
                }
    }
    if (fills.isEmpty())
        return std::nullopt;
    QString merged;
    merged.reserve(text_.size() + filled);
    for (qsizetype row = 0; row < qsizetype(lineStarts_.size()); ++row) {
        const auto fill = fills.constFind(row);
        if (fill == fills.cend()) {
            merged += line(row);
        } else {
            QStringList cells = cellsOfRecord(line(row), kTab);
            for (const auto& [column, value] : *fill) {
                while (cells.size() <= column)
                    cells.append(QString());
                cells[column] = value;
            }
            for (qsizetype at = 0; at < cells.size(); ++at) {
                if (at > 0)
                    merged += kTab;
                merged += csvCell(cells[at]);
            }
        }
        merged += kLineEnd;
    }
    return merged;
}

} // namespace tokivane
