#include "pasted_lines.h"

#include "source_lines.h"

namespace tokivane {

namespace {

QString firstNonEmptyLine(QStringView clip) {
    qsizetype start = 0;
    while (start < clip.size() && hasLineBreak(clip.sliced(start, 1)))
        ++start;
    qsizetype end = start;
    while (end < clip.size() && !hasLineBreak(clip.sliced(end, 1)))
        ++end;
    return clip.sliced(start, end - start).toString();
}

} // namespace

bool hasLineBreak(QStringView text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

BoxPaste recordBoxPaste(QStringView clip) {
    if (nonEmptyLineCount(clip) >= 2)
        return {true, {}};
    return {false, hasLineBreak(clip) ? firstNonEmptyLine(clip) : clip.toString()};
}

QString processingBoxPaste(QStringView clip) {
    return hasLineBreak(clip) ? firstNonEmptyLine(clip) : clip.toString();
}

} // namespace tokivane
