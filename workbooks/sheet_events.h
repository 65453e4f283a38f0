#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QStringView>

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

// Where the reading stands within a cell: whether the text read now is part
// of its value, and not of a phonetic reading.
class CellNesting {
  public:
    void openCell() { cell_ = true; }
    // The elements within a cell; the cell itself is opened by openCell.
    void start(SheetElement element);
    void end(SheetElement element);
    bool collecting() const { return (value_ || inlineText_) && phonetic_ == 0; }
    bool inPhonetic() const { return phonetic_ > 0; }

  private:
    bool cell_ = false;
    bool value_ = false;
    bool inline_ = false;
    bool inlineText_ = false;
    int phonetic_ = 0;
};

// What a sheet's XML is read into, element by element, by whoever reads it.
class SheetEvents {
  public:
    virtual ~SheetEvents() = default;

    virtual void start(const SheetTag& tag) = 0;
    virtual void end(SheetElement element) = 0;
    // Text of a cell's value, only while collecting.
    virtual void addValue(QStringView text) = 0;
    virtual void addValue(QLatin1StringView text) = 0;
    // The same as the cell's start, its value and its end, one after another.
    virtual void addCell(const PlainCell& cell) = 0;
    // The bytes that the views of the plain cells to come lie in, which own
    // them; for whoever keeps the cells past the reading.
    virtual void hold(const QByteArray& bytes) = 0;
    // Whether the text being read is part of a cell's value.
    virtual bool collecting() const = 0;
    // Whether reading further is of no use.
    virtual bool refused() const = 0;
};

} // namespace tokivane
