#include "sheet_events.h"

namespace tokivane {

namespace {

template <typename Name> SheetElement elementOfName(Name name) {
    if (name == QLatin1StringView("c"))
        return SheetElement::Cell;
    if (name == QLatin1StringView("row"))
        return SheetElement::Row;
    if (name == QLatin1StringView("v"))
        return SheetElement::Value;
    if (name == QLatin1StringView("t"))
        return SheetElement::Text;
    if (name == QLatin1StringView("is"))
        return SheetElement::InlineString;
    if (name == QLatin1StringView("rPh"))
        return SheetElement::Phonetic;
    if (name == QLatin1StringView("mergeCell"))
        return SheetElement::MergeCell;
    return SheetElement::Other;
}

} // namespace

SheetElement sheetElementOf(QStringView localName) {
    return elementOfName(localName);
}

SheetElement sheetElementOf(QLatin1StringView localName) {
    return elementOfName(localName);
}

void CellNesting::start(SheetElement element) {
    switch (element) {
    case SheetElement::Value:
        value_ = cell_;
        break;
    case SheetElement::Text:
        inlineText_ = inline_;
        break;
    case SheetElement::InlineString:
        inline_ = cell_;
        break;
    case SheetElement::Phonetic:
        ++phonetic_;
        break;
    default:
        break;
    }
}

void CellNesting::end(SheetElement element) {
    switch (element) {
    case SheetElement::Cell:
        cell_ = value_ = inline_ = inlineText_ = false;
        break;
    case SheetElement::Value:
        value_ = false;
        break;
    case SheetElement::Text:
        inlineText_ = false;
        break;
    case SheetElement::InlineString:
        inline_ = false;
        break;
    case SheetElement::Phonetic:
        --phonetic_;
        break;
    default:
        break;
    }
}

} // namespace tokivane
