#pragma once

// Reading text off rendered pixels: the ground of a region, its ink, and the
// WCAG contrast ratio between them.

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace tokivane::pixels {

// WCAG 2 relative luminance of an sRGB colour.
inline double luminance(QColor colour) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

inline double contrastRatio(QColor a, QColor b) {
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The most frequent pixel of `area`: what the text is drawn on.
inline QRgb groundOf(const QImage& image, QRect area) {
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb ground = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            std::tie(ground, most) = std::pair(it.key(), it.value());
    return ground;
}

// Text against its ground in `area`: the pixel farthest in luminance from the
// ground is the middle of a stroke, where anti-aliasing has not softened it.
inline double textContrast(const QImage& image, QRect area) {
    const QColor ground = QColor::fromRgb(groundOf(image, area));
    double best = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = std::max(best, contrastRatio(ground, image.pixelColor(x, y)));
    return best;
}

// The bounding box of every pixel that differs from the image's ground.
inline QRect inkBounds(const QImage& image) {
    const QRgb ground = groundOf(image, image.rect());
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != ground)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace tokivane::pixels
