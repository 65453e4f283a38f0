#include "form_palette.h"

#include "form1_layout.h"

#include <QToolTip>
#include <QWidget>

namespace tokivane {

QPalette formPalette() {
    // Derives the bevel shades (Light, Midlight, Mid, Dark, Shadow) from the
    // button and window colours, in every group.
    QPalette colours(layout::kButtonColor, layout::kWindowColor);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        const QColor text = disabled ? layout::kDisabledTextColor : layout::kTextColor;
        colours.setColor(group, QPalette::Window, layout::kWindowColor);
        colours.setColor(group, QPalette::WindowText, text);
        colours.setColor(group, QPalette::Base, layout::kBaseColor);
        colours.setColor(group, QPalette::AlternateBase, layout::kBaseColor);
        colours.setColor(group, QPalette::Text, text);
        colours.setColor(group, QPalette::Button, layout::kButtonColor);
        colours.setColor(group, QPalette::ButtonText, text);
        colours.setColor(group, QPalette::BrightText, layout::kBaseColor);
        colours.setColor(group, QPalette::Highlight, layout::kHighlightColor);
        colours.setColor(group, QPalette::HighlightedText, layout::kHighlightedTextColor);
        colours.setColor(group, QPalette::ToolTipBase, layout::kToolTipColor);
        colours.setColor(group, QPalette::ToolTipText, layout::kTextColor);
        colours.setColor(group, QPalette::PlaceholderText, layout::kDisabledTextColor);
    }
    return colours;
}

void applyFormPalette(QWidget& form) {
    const QPalette colours = formPalette();
    form.setPalette(colours);
    QToolTip::setPalette(colours);
}

} // namespace tokivane
