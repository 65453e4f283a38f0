#pragma once

#include "file_text.h"
#include "sheet_events.h"
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

// Builds a sheet's text from its XML's elements as they are read, whoever
// reads them: a line a row, cells shown through their type and format, and
// merged ranges filled at the end.
class SheetBuilder final : public SheetEvents {
  public:
    explicit SheetBuilder(const SheetContext& context);

    void start(const SheetTag& tag) override;
    void end(SheetElement element) override;
    void addValue(QStringView text) override { value_ += text; }
    void addValue(QLatin1StringView text) override { value_ += text; }
    void addCell(const PlainCell& cell) override;
    // Cells are built as they come.
    void hold(const QByteArray&) override {}
    bool collecting() const override { return nesting_.collecting(); }
    bool refused() const override { return problem_.has_value(); }

    void refuse(const QString& reason);
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
    CellNesting nesting_;
};

} // namespace tokivane
