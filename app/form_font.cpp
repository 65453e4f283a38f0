#include "form_font.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QTextLayout>
#include <algorithm>

namespace tokivane {

namespace {

// A kanji every caption's font must have, and what a missing glyph maps to.
constexpr QStringView kJapaneseSample = u"日";
constexpr quint32 kMissingGlyph = 0;

} // namespace

QStringList installedFamilies(const QStringList& wanted, const QStringList& installed) {
    QStringList found;
    std::ranges::copy_if(wanted, std::back_inserter(found), [&installed](const QString& family) {
        return installed.contains(family);
    });
    return found.isEmpty() ? wanted : found;
}

QFont formFont() {
    const QStringList mincho{
        QStringLiteral("ＭＳ 明朝"),
        QStringLiteral("MS Mincho"),
        QStringLiteral("IPAMincho"),
        QStringLiteral("IPAexMincho"),
        QStringLiteral("IPAPMincho"),
        QStringLiteral("Noto Serif CJK JP"),
        QStringLiteral("Source Han Serif JP"),
        QStringLiteral("TakaoMincho"),
        QStringLiteral("Hiragino Mincho ProN"),
    };
    QFont font;
    // An absent family would first be looked up among the system's font
    // substitutes, one after the other, before the installed one is reached.
    font.setFamilies(installedFamilies(mincho, QFontDatabase::families()));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(kFormFontPointSize);
    return font;
}

std::optional<QString> missingJapaneseFontMessage(const QFont& font) {
    // Laid out as the window lays out its captions, fallback fonts included.
    QTextLayout sample(kJapaneseSample.toString(), font);
    sample.beginLayout();
    sample.createLine();
    sample.endLayout();
    const QList<QGlyphRun> runs = sample.glyphRuns();
    const bool drawn = !runs.isEmpty() && std::ranges::none_of(runs, [](const QGlyphRun& run) {
        return run.glyphIndexes().contains(kMissingGlyph);
    });
    if (drawn)
        return std::nullopt;
    return QStringLiteral("tokivane: no installed font can show the window's Japanese captions; "
                          "install a Japanese Mincho font, fonts-ipafont-mincho on Debian and "
                          "Ubuntu");
}

} // namespace tokivane
