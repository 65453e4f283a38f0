#pragma once

#include <QString>
#include <QStringView>

namespace tokivane {

// A text cell as a sheet carries it, before the writer's own escapes of
// control characters: a sheet reads "_xHHHH_" as the character it names, so
// a text that holds such a sequence has its underscore written as "_x005F_";
// and NUL, which would end the text early, is written as "_x0000_". Texts
// without either come back as they are.
QString sheetTextOf(const QString& text);

// A text as a sheet carries it, read back: each "_xHHHH_" as the character
// it names ("_x000D_" a carriage return, "_x005F_" an underscore).
QString unescapedText(const QString& text);

} // namespace tokivane
