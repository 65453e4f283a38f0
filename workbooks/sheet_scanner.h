#pragma once

#include "sheet_events.h"
#include "utf8_bytes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace tokivane {

// Reads a sheet's XML straight from its bytes, as workbook programs write
// it: UTF-8 elements and attributes, namespace prefixes declared, the five
// entities and character references. Anything else (comments, CDATA, a
// DOCTYPE, an encoding other than UTF-8, XML that is not well formed) it
// declines, leaving the whole sheet to Qt's XML reader: what the scanner
// reads, that reader reads the same, only some ten times slower.
class SheetScanner {
  public:
    // Who checks that the parts are UTF-8, as Qt's reader does before it
    // reads a token of one: the scanner, or whoever hands them on, who then
    // declines for it.
    enum class Utf8Check { ByScanner, ByGiver };

    explicit SheetScanner(SheetEvents& events, Utf8Check check = Utf8Check::ByScanner)
        : events_(events), checksUtf8_(check == Utf8Check::ByScanner) {}

    // Reads what the data so far allows; false once declined or refused.
    // Cells are read from the data's own bytes, which whoever keeps them is
    // handed to hold.
    bool take(const QByteArray& data);
    // Whether the root element has been read to its end, and nothing after
    // it waits to be read.
    bool ended() const { return ended_ && unread_.isEmpty() && utf8_.whole(); }
    // Whether the sheet is left to Qt's XML reader.
    bool unsupported() const { return declined_; }

  private:
    struct Attribute {
        QByteArrayView name;
        QByteArrayView value;
    };

    // Whether no more is read: the sheet is declined, or its events refused.
    bool stopped() const { return declined_ || events_.refused(); }
    qsizetype scan(QByteArrayView input);
    qsizetype readJoined(const QByteArray& data);
    const char* text(const char* from, const char* to, bool whole);
    const char* tag(const char* from, const char* end);
    const char* plainCell(const char* from, const char* end);
    const char* plainRow(const char* from, const char* end);
    const char* endTag(const char* from, const char* end);
    const char* startTag(const char* from, const char* end);
    const char* declaration(const char* from, const char* end);
    bool declared(QByteArrayView prefix) const;
    bool declareNamespaces();
    SheetTag tagOf(SheetElement element);
    // Checks text (or, with `attribute`, a value) and hands it decoded to
    // `take`, as Latin-1 where it is all ASCII, which it mostly is.
    template <typename Take> bool decode(QByteArrayView raw, bool attribute, Take take);
    void startElement(SheetElement element, bool empty);
    void closeElement(SheetElement element);
    const char* decline();

    SheetEvents& events_;
    // What the last part ended within: a tag or a text begun there.
    QByteArray unread_;
    bool checksUtf8_;
    Utf8Parts utf8_;
    bool markChecked_ = false;
    bool atStart_ = true;
    bool rootSeen_ = false;
    bool ended_ = false;
    bool declined_ = false;
    // The open elements' names, one after another, and where each ends.
    QByteArray openNames_;
    std::vector<qsizetype> openEnds_;
    int openCells_ = 0;
    struct Prefix {
        QByteArray name;
        qsizetype depth;
    };
    std::vector<Prefix> prefixes_;
    std::vector<Attribute> attributes_;
    // Reused for every tag and value: a sheet has millions.
    QString reference_, type_, style_, range_;
    QByteArray decoded_;
};

} // namespace tokivane
