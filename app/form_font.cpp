#include "app/form_font.h"

#include <QStringList>

namespace tokivane {

QFont formFont() {
    QFont font;
    font.setFamilies({
        QStringLiteral("ＭＳ 明朝"),
        QStringLiteral("MS Mincho"),
        QStringLiteral("IPAMincho"),
        QStringLiteral("IPAexMincho"),
        QStringLiteral("IPAPMincho"),
        QStringLiteral("Noto Serif CJK JP"),
        QStringLiteral("Source Han Serif JP"),
        QStringLiteral("TakaoMincho"),
        QStringLiteral("Hiragino Mincho ProN"),
    });
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(kFormFontPointSize);
    return font;
}

} // namespace tokivane
