#pragma once

#include "file_text.h"
#include "sheet_text.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <optional>
#include <variant>
#include <vector>

namespace tokivane {

// The elements of a sheet's XML that its cells are read from, by local name.
enum class SheetElement { Row, Cell, Value, InlineString, Text, Phonetic, MergeCell, Other };

SheetElement sheetElementOf(QStringView localName);
SheetElement sheetElementOf(QLatin1StringView localName);
// Whether the builder reads any of the element's attributes.
inline bool readsAttributes(SheetElement element) {
    return element == SheetElement::Row || element == SheetElement::Cell ||
           element == SheetElement::MergeCell;
}

// A start tag as the builder needs it: its element and the attributes it
// reads, empty where the tag has none.
struct SheetTag {
    SheetElement element = SheetElement::Other;
    QStringView reference; // r, of a row or a cell
    QStringView type;      // t, of a cell
    QStringView style;     // s, of a cell
    QStringView range;     // ref, of a merged range
};

// Builds a sheet's text from its XML's elements as they are read, whoever
// reads them: a line a row, cells shown through their type and format, and
// merged ranges filled at the end.
class SheetBuilder {
  public:
    explicit SheetBuilder(const SheetContext& context) : context_(context) {}

    void start(const SheetTag& tag);
    void end(SheetElement element);
    // Whether the text being read is part of a cell's value.
    bool collecting() const { return (inValue_ || inInlineText_) && phoneticDepth_ == 0; }
    void addValue(QStringView text) { value_ += text; }
    void addValue(QLatin1StringView text) { value_ += text; }

    void refuse(const QString& reason);
    bool refused() const { return problem_.has_value(); }
    // The text, or why not; `ended` tells whether the XML was read to its end.
    std::variant<QString, UnreadFile> finish(bool ended);

  private:
    struct Merge {
        int firstRow = 0; // lines, from 0
        int lastRow = 0;
        int firstColumn = 0;
        int lastColumn = 0;
    };

    void startRow(QStringView reference);
    void endRow();
    void startCell(const SheetTag& tag);
    void endCell();
    void addMerge(QStringView range);
    QStringView line(qsizetype row) const;
    void fillMerges();

    const SheetContext& context_;
    QString text_;
    std::vector<qsizetype> lineStarts_;
    std::vector<Merge> merges_;
    std::optional<QString> problem_;
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

} // namespace tokivane
