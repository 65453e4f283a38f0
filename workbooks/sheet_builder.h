#pragma once

#include "file_text.h"
#include "sheet_text.h"
#include "text_buffer.h"

#include <QHash>
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

// A whole cell whose attributes are plain ASCII and whose value needs no
// decoding but from UTF-8, as the scanner reads most; a view without data
// for an attribute the cell lacks.
struct PlainCell {
    QLatin1StringView reference;
    QLatin1StringView type;
    QLatin1StringView style;
    // The text of its v element, or of an inline string's t, or neither.
    enum Holder { None, Value, InlineText } holder = None;
    QByteArrayView value;
    bool ascii = true;
};

// Builds a sheet's text from its XML's elements as they are read, whoever
// reads them: a line a row, cells shown through their type and format, and
// merged ranges filled at the end.
class SheetBuilder {
  public:
    explicit SheetBuilder(const SheetContext& context);

    void start(const SheetTag& tag);
    void end(SheetElement element);
    // Whether the text being read is part of a cell's value.
    bool collecting() const { return (inValue_ || inInlineText_) && phoneticDepth_ == 0; }
    void addValue(QStringView text) { value_ += text; }
    void addValue(QLatin1StringView text) { value_ += text; }
    // The same as the cell's start, its value and its end, one after another.
    void addCell(const PlainCell& cell);

    void refuse(const QString& reason);
    bool refused() const { return problem_.has_value(); }
    // The text, or why not; `ended` tells whether the XML was read to its end.
    std::variant<QString, UnreadFile> finish(bool ended);

  private:
    // A whole number's style and bits.
    using NumberKey = std::pair<int, quint64>;

    struct Merge {
        int firstRow = 0; // lines, from 0
        int lastRow = 0;
        int firstColumn = 0;
        int lastColumn = 0;
    };

    void startRow(QStringView reference);
    void endRow();
    void startCell(const SheetTag& tag);
    template <typename View> bool openCell(View reference, View style);
    void endCell();
    template <typename View>
    bool appendKnownCell(bool number, View value, const NumberFormat& format);
    template <typename View>
    std::optional<NumberKey> keptNumberKey(View value, const NumberFormat& format) const;
    template <typename Key>
    static typename QHash<Key, QString>::const_iterator keep(QHash<Key, QString>& kept,
                                                             const Key& key, QString shown);
    bool placeCell(bool empty);
    // Appends text already as the sheet's text holds it, quoted where it must be.
    template <typename View> void appendCell(View shown);
    // Appends a cell's text as it shows, quoted where it must be.
    void appendShown(const QString& shown);
    void refuseSharedString();
    void addMerge(QStringView range);
    QStringView line(qsizetype row) const;
    std::optional<QString> filledMerges();

    const SheetContext& context_;
    // Kept quoted as the text holds them: a sheet repeats them.
    QStringList quotedStrings_;
    QHash<NumberKey, QString> numberCells_;
    QHash<QByteArray, QString> textCells_;
    TextBuffer text_;
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
