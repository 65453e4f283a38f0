#include "sheet_text.h"

#include "cell_text.h"
#include "csv_file.h"
#include "source_lines.h"

#include <QHash>
#include <QXmlStreamReader>
#include <vector>

namespace tokivane {

namespace {

constexpr QChar kTab = u'\t';
constexpr QChar kLineEnd = u'\n';

struct Merge {
    int firstRow = 0; // lines, from 0
    int lastRow = 0;
    int firstColumn = 0;
    int lastColumn = 0;
};

std::optional<Merge> mergeOfRange(QStringView range) {
    const qsizetype colon = range.indexOf(u':');
    const QStringView first = colon < 0 ? range : range.left(colon);
    const QStringView last = colon < 0 ? range : range.sliced(colon + 1);
    const auto firstColumn = columnOfReference(first);
    const auto lastColumn = columnOfReference(last);
    const auto firstRow = rowOfReference(first);
    const auto lastRow = rowOfReference(last);
    if (!firstColumn || !lastColumn || !firstRow || !lastRow || *lastRow < *firstRow ||
        *lastColumn < *firstColumn)
        return std::nullopt;
    return Merge{*firstRow - 1, *lastRow - 1, *firstColumn, *lastColumn};
}

// Builds the text from the sheet's XML as it arrives.
class SheetBuilder {
  public:
    explicit SheetBuilder(const SheetContext& context) : context_(context) {}

    // Reads what the data so far allows; false once the sheet is refused.
    bool take(QByteArrayView data) {
        xml_.addData(QByteArray(data.data(), data.size()));
        while (!problem_) {
            const auto token = xml_.readNext();
            if (token == QXmlStreamReader::Invalid) {
                if (xml_.error() != QXmlStreamReader::PrematureEndOfDocumentError)
                    refuse(QStringLiteral("XMLが壊れています（%1）").arg(xml_.errorString()));
                break;
            }
            if (token == QXmlStreamReader::EndDocument) {
                ended_ = true;
                break;
            }
            if (token == QXmlStreamReader::StartElement)
                start();
            else if (token == QXmlStreamReader::EndElement)
                end();
            else if (token == QXmlStreamReader::Characters && collecting())
                value_ += xml_.text();
        }
        return !problem_;
    }

    std::variant<QString, UnreadFile> finish() {
        if (!ended_)
            refuse(QStringLiteral("途中で切れています"));
        if (!problem_)
            fillMerges();
        if (problem_)
            return UnreadFile{*problem_};
        return std::move(text_);
    }

    void refuse(const QString& reason) {
        if (!problem_)
            problem_ = reason;
    }

  private:
    bool collecting() const { return (inValue_ || inInlineText_) && phoneticDepth_ == 0; }

    void start() {
        const QStringView name = xml_.name();
        if (name == u"c")
            startCell();
        else if (name == u"row")
            startRow();
        else if (name == u"v")
            inValue_ = inCell_;
        else if (name == u"t")
            inInlineText_ = inInline_;
        else if (name == u"is")
            inInline_ = inCell_;
        else if (name == u"rPh")
            ++phoneticDepth_;
        else if (name == u"mergeCell")
            addMerge(xml_.attributes().value(QLatin1StringView("ref")));
    }

    void end() {
        const QStringView name = xml_.name();
        if (name == u"c")
            endCell();
        else if (name == u"row")
            endRow();
        else if (name == u"v")
            inValue_ = false;
        else if (name == u"t")
            inInlineText_ = false;
        else if (name == u"is")
            inInline_ = false;
        else if (name == u"rPh")
            --phoneticDepth_;
    }

    void startRow() {
        const QStringView reference = xml_.attributes().value(QLatin1StringView("r"));
        const auto row =
            reference.isEmpty() ? std::optional<int>(rows_ + 1) : rowOfReference(reference);
        if (!row || *row <= rows_) {
            refuse(QStringLiteral("行番号が読めないか、順に並んでいません（%1）").arg(reference));
            return;
        }
        // Rows without cells of their own are empty lines.
        while (rows_ < *row - 1) {
            lineStarts_.push_back(text_.size());
            text_ += kLineEnd;
            ++rows_;
        }
        lineStarts_.push_back(text_.size());
        rows_ = *row;
        cells_ = 0;
        inRow_ = true;
    }

    void endRow() {
        text_ += kLineEnd;
        inRow_ = false;
        if (text_.size() > kMaxFileBytes)
            refuse(QStringLiteral("シートが大きすぎます（表の文字が200 MBを超えます）"));
    }

    void startCell() {
        if (!inRow_) {
            refuse(QStringLiteral("行の外にセルがあります"));
            return;
        }
        const auto attributes = xml_.attributes();
        const QStringView reference = attributes.value(QLatin1StringView("r"));
        const auto column =
            reference.isEmpty() ? std::optional<int>(cells_) : columnOfReference(reference);
        if (!column || *column < cells_) {
            refuse(QStringLiteral("セル番地が読めないか、順に並んでいません（%1）").arg(reference));
            return;
        }
        column_ = *column;
        type_ = attributes.value(QLatin1StringView("t")).toString();
        style_ = attributes.value(QLatin1StringView("s")).toInt();
        value_.clear();
        inCell_ = true;
    }

    void endCell() {
        inCell_ = inValue_ = inInline_ = inInlineText_ = false;
        const SheetCell cell{type_, value_, &formatOfCellStyle(*context_.styles, style_)};
        const auto shown = textOfCell(cell, *context_.sharedStrings, context_.dates);
        if (!shown) {
            refuse(QStringLiteral("共有文字列の番号が範囲外です（%1）").arg(value_));
            return;
        }
        if (shown->isEmpty())
            return;
        const int separators = cells_ == 0 ? column_ : column_ - cells_ + 1;
        text_.append(QString(separators, kTab));
        text_ += csvCell(*shown);
        cells_ = column_ + 1;
        widest_ = std::max(widest_, cells_);
    }

    void addMerge(QStringView range) {
        if (const auto merge = mergeOfRange(range))
            merges_.push_back(*merge);
        else
            refuse(QStringLiteral("結合セルの範囲が読めません（%1）").arg(range));
    }

    QStringView line(qsizetype row) const {
        const qsizetype start = lineStarts_[row];
        const qsizetype end =
            row + 1 < qsizetype(lineStarts_.size()) ? lineStarts_[row + 1] : text_.size();
        return QStringView(text_).sliced(start, end - start - 1);
    }

    // Every cell of a merged range shows the top-left one's value; ranges
    // reach no further than the rows and columns that hold cells.
    void fillMerges() {
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
                            return;
                        }
                    }
        }
        if (fills.isEmpty())
            return;
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
        text_ = std::move(merged);
    }

    const SheetContext& context_;
    QXmlStreamReader xml_;
    QString text_;
    std::vector<qsizetype> lineStarts_;
    std::vector<Merge> merges_;
    std::optional<QString> problem_;
    bool ended_ = false;
    int rows_ = 0;
    int cells_ = 0;
    int widest_ = 0;
    bool inRow_ = false;
    // The cell being read.
    int column_ = 0;
    QString type_;
    int style_ = 0;
    QString value_;
    bool inCell_ = false;
    bool inValue_ = false;
    bool inInline_ = false;
    bool inInlineText_ = false;
    int phoneticDepth_ = 0;
};

} // namespace

std::variant<QString, UnreadFile> readSheetText(const ZipArchive& zip, const QString& part,
                                                const SheetContext& context,
                                                const SheetProgress& progress) {
    SheetBuilder builder(context);
    const double claimed = std::max<qint64>(zip.claimedSize(part), 1);
    qint64 read = 0;
    const auto problem = zip.read(part, kMaxSheetXmlBytes, [&](QByteArrayView data) {
        read += data.size();
        return builder.take(data) && progress(std::min(read / claimed, 1.0));
    });
    if (problem)
        builder.refuse(*problem);
    return builder.finish();
}

} // namespace tokivane
