#pragma once

#include <QRect>

namespace tokivane {

// Layout is given in twips; at 96 dpi fifteen twips make one pixel, and Qt's
// high-DPI scaling takes care of other screens.
inline constexpr int kTwipsPerPixel = 15;

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr int toPixels(int twips) {
    return twips / kTwipsPerPixel;
}

constexpr QRect toPixels(TwipsRect r) {
    return QRect(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height));
}

} // namespace tokivane
