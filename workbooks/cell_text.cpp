#include "cell_text.h"

#include "number_text.h"
#include "text_escapes.h"

namespace tokivane {

namespace {

constexpr int kMaxColumns = 16384;
constexpr int kMaxRows = 1048576;
constexpr int kLetters = 26;

QString textOfNumber(double number, const NumberFormat& format, DateSystem dates) {
    switch (format.kind) {
    case FormatKind::Date:
        return dateTextOfSerial(number, dates).value_or(generalNumberText(number));
    case FormatKind::Time:
        return timeTextOfSerial(number, format.seconds, format.elapsed);
    case FormatKind::Number:
        return numberText(number, format.code);
    case FormatKind::General:
    case FormatKind::Text:
        break;
    }
    return generalNumberText(number);
}

qsizetype lettersAtStart(QStringView reference) {
    qsizetype count = 0;
    while (count < reference.size() && reference[count].isLetter() &&
           reference[count].unicode() < 128)
        ++count;
    return count;
}

} // namespace

std::optional<QString> textOfCell(const SheetCell& cell, const QStringList& sharedStrings,
                                  DateSystem dates) {
    if (cell.type == u"s") {
        bool ok = false;
        const qsizetype at = cell.value.toLongLong(&ok);
        if (!ok || at < 0 || at >= sharedStrings.size())
            return std::nullopt;
        return sharedStrings[at];
    }
    if (cell.type == u"inlineStr" || cell.type == u"str")
        return unescapedText(cell.value.toString());
    if (cell.type == u"b")
        return cell.value == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (cell.type == u"e" || cell.value.isEmpty())
        return cell.value.toString();
    if (cell.type == u"d") {
        const auto date = dateOfIsoText(cell.value);
        return date ? slashedDate(*date) : cell.value.toString();
    }
    bool number = false;
    const double value = cell.value.toDouble(&number);
    if (!number)
        return cell.value.toString();
    return textOfNumber(value, cell.format ? *cell.format : NumberFormat{}, dates);
}

std::optional<int> columnOfReference(QStringView reference) {
    const qsizetype letters = lettersAtStart(reference);
    if (letters == 0 || letters > 3)
        return std::nullopt;
    int column = 0;
    for (qsizetype at = 0; at < letters; ++at)
        column = column * kLetters + (reference[at].toUpper().unicode() - u'A' + 1);
    if (column > kMaxColumns)
        return std::nullopt;
    return column - 1;
}

std::optional<int> rowOfReference(QStringView reference) {
    bool ok = false;
    const int row = reference.sliced(lettersAtStart(reference)).toInt(&ok);
    if (!ok || row < 1 || row > kMaxRows)
        return std::nullopt;
    return row;
}

} // namespace tokivane
