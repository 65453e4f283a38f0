#pragma once

#include "number_text.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <memory>

namespace tokivane {

// What a cell's number format makes of its number.
enum class FormatKind { General, Number, Date, Time, Text };

struct NumberFormat {
    FormatKind kind = FormatKind::General;
    // The format code, for numbers shown with one, and read for them.
    QString code;
    std::shared_ptr<const NumberCode> number;
    // Times: whether seconds show, and whether hours run past 24 ([h]).
    bool seconds = false;
    bool elapsed = false;
};

// What a format code shows, judged by its first section: dates where it has
// year, month, day or era parts, times where it has only hours, minutes and
// seconds, numbers where it has digit places. Quoted text, escaped characters
// and bracketed colours, locales and conditions are not parts.
NumberFormat formatOfCode(QStringView code);

// A built-in format by its number, as a Japanese workbook shows it: the
// general number formats, the dates 14-17 and 22, the times 18-21 and 45-47,
// and the Japanese dates and times 27-36 and 50-58 (era dates included).
// Unknown numbers show as General.
NumberFormat builtinFormat(int id);

// A cell style's format: its own code when the workbook defines one for the
// number, else the built-in one.
NumberFormat formatOfStyle(int numberFormatId, const QHash<int, QString>& customCodes);

} // namespace tokivane
