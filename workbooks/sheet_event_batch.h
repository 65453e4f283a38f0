#pragma once

#include "sheet_events.h"

#include <QByteArray>
#include <array>
#include <vector>

namespace tokivane {

// A sheet's events kept, so that one thread can read the XML while another
// builds from what it read: the plain cells as they came, their texts left
// in the XML's bytes, which are held; the rest with copies of their texts.
class SheetEventBatch final : public SheetEvents {
  public:
    void start(const SheetTag& tag) override;
    void end(SheetElement element) override;
    void addValue(QStringView text) override;
    void addValue(QLatin1StringView text) override;
    void addCell(const PlainCell& cell) override { cells_.push_back(cell); }
    void hold(const QByteArray& bytes) override { held_.push_back(bytes); }
    bool collecting() const override { return nesting_.collecting(); }
    // The events are only kept: whoever replays them refuses.
    bool refused() const override { return false; }

    // Hands the events on in the order they came, until `to` refuses.
    void replay(SheetEvents& to) const;
    // Lets go of the events kept and of the bytes they lie in, keeping the
    // room they took for the next ones.
    void clear();
    // The events kept so far handed on to `to`, leaving none here but where
    // the reading stands: a cell may go on in the next part. What `to` held
    // is let go, but its room is kept for the next part: parts are alike.
    void handOn(SheetEventBatch& to);

  private:
    // Where a copied text lies: in latin1_ for bytes, utf16_ for characters.
    struct Span {
        qint32 at;
        qint32 size;
    };
    enum class Kind : quint8 { Start, End, Latin1Value, Utf16Value };
    struct Event {
        Kind kind;
        SheetElement element;
        // The plain cells that came before it.
        qint32 cellsBefore = 0;
        // A tag's reference, type, style and range; a value's text first.
        std::array<Span, 4> texts{};
    };

    void add(Kind kind, SheetElement element, std::array<Span, 4> texts = {});
    Span keep(QLatin1StringView text);
    Span keep(QStringView text);
    QLatin1StringView latin1(Span span) const;
    QStringView text(Span span) const;

    std::vector<Event> events_;
    std::vector<PlainCell> cells_;
    std::vector<QByteArray> held_;
    QByteArray latin1_;
    std::vector<char16_t> utf16_;
    // Mirrors the builder's, which the reader asks before it decodes text.
    CellNesting nesting_;
};

} // namespace tokivane
