#pragma once

// Counting pixels of a picture, for tests that look at what was drawn.

#include <QImage>

namespace kalvor::test {

/// Pixels of `image` whose colour (alpha ignored) `match` accepts; for a part of a picture, pass
/// `image.copy(rect)`.
template <typename Match>
int countPixels(const QImage& image, Match match) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += match(image.pixel(x, y) & 0xFFFFFF) ? 1 : 0;
    return count;
}

/// Pixels of exactly `colour`.
inline int pixelsOf(const QImage& image, QRgb colour) {
    return countPixels(image, [=](QRgb rgb) { return rgb == (colour & 0xFFFFFF); });
}

/// Pixels that are not white.
inline int inkPixels(const QImage& image) {
    return countPixels(image, [](QRgb rgb) { return rgb != 0xFFFFFF; });
}

}  // namespace kalvor::test
