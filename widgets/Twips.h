#pragma once

// The host's unit of length: a twip is 1/1440 inch, and the program counts
// 15 of them to a pixel everywhere (placement, remembered heights, layout).
namespace Twips {

inline constexpr int kPerPixel = 15;

// Whole pixels in `twips`, the remainder dropped (toward zero).
constexpr int toPixels(int twips) {
    return twips / kPerPixel;
}

// The nearest whole pixel.  A whole number of twips never lies halfway
// between two pixels, so no rule for halves is needed.
constexpr int toNearestPixels(int twips) {
    return twips >= 0 ? (twips + kPerPixel / 2) / kPerPixel
                      : -((-twips + kPerPixel / 2) / kPerPixel);
}

constexpr int fromPixels(int pixels) {
    return pixels * kPerPixel;
}

} // namespace Twips
