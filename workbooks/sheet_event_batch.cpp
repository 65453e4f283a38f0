#include "sheet_event_batch.h"

#include <utility>

namespace tokivane {

void SheetEventBatch::start(const SheetTag& tag) {
    if (tag.element == SheetElement::Cell)
        nesting_.openCell();
    else
        nesting_.start(tag.element);
    add(Kind::Start, tag.element,
        {keep(tag.reference), keep(tag.type), keep(tag.style), keep(tag.range)});
}

void SheetEventBatch::end(SheetElement element) {
    nesting_.end(element);
    add(Kind::End, element);
}

void SheetEventBatch::addValue(QStringView text) {
    add(Kind::Utf16Value, SheetElement::Other, {keep(text)});
}

void SheetEventBatch::addValue(QLatin1StringView text) {
    add(Kind::Latin1Value, SheetElement::Other, {keep(text)});
}

void SheetEventBatch::replay(SheetEvents& to) const {
    std::size_t cell = 0;
    const auto cellsUpTo = [&](std::size_t last) {
        for (; cell < last && !to.refused(); ++cell)
            to.addCell(cells_[cell]);
    };
    for (const Event& event : events_) {
        cellsUpTo(std::size_t(event.cellsBefore));
        if (to.refused())
            return;
        switch (event.kind) {
        case Kind::Start:
            to.start({event.element, text(event.texts[0]), text(event.texts[1]),
                      text(event.texts[2]), text(event.texts[3])});
            break;
        case Kind::End:
            to.end(event.element);
            break;
        case Kind::Latin1Value:
            to.addValue(latin1(event.texts[0]));
            break;
        case Kind::Utf16Value:
            to.addValue(text(event.texts[0]));
            break;
        }
    }
    cellsUpTo(cells_.size());
}

void SheetEventBatch::clear() {
    events_.clear();
    cells_.clear();
    held_.clear();
    // clear() would let go of its room too.
    latin1_.resize(0);
    utf16_.clear();
}

void SheetEventBatch::handOn(SheetEventBatch& to) {
    to.clear();
    std::swap(to.events_, events_);
    std::swap(to.cells_, cells_);
    std::swap(to.held_, held_);
    std::swap(to.latin1_, latin1_);
    std::swap(to.utf16_, utf16_);
}

void SheetEventBatch::add(Kind kind, SheetElement element, std::array<Span, 4> texts) {
    events_.push_back({kind, element, qint32(cells_.size()), texts});
}

// A batch holds what a part of the XML gives, a few MB at most: its
// offsets fit in 32 bits.
SheetEventBatch::Span SheetEventBatch::keep(QLatin1StringView text) {
    const Span span{qint32(latin1_.size()), qint32(text.size())};
    latin1_.append(text.data(), text.size());
    return span;
}

SheetEventBatch::Span SheetEventBatch::keep(QStringView text) {
    const Span span{qint32(utf16_.size()), qint32(text.size())};
    utf16_.insert(utf16_.end(), text.utf16(), text.utf16() + text.size());
    return span;
}

QLatin1StringView SheetEventBatch::latin1(Span span) const {
    return QLatin1StringView(latin1_.constData() + span.at, span.size);
}

QStringView SheetEventBatch::text(Span span) const {
    return QStringView(utf16_.data() + span.at, span.size);
}

} // namespace tokivane
