#pragma once

#include <QRgb>
#include <QtGlobal>

// Colours in the host's convention: red + 256 * green + 65536 * blue, or a
// system colour index with the high bit set (0x8000000F is the button face).
using OleColor = quint32;

inline constexpr OleColor kSystemColourFlag = 0x80000000u;
inline constexpr OleColor kButtonFace = 0x8000000Fu;
inline constexpr OleColor kButtonText = 0x80000012u;

constexpr OleColor rgbColour(int red, int green, int blue) {
    return OleColor(red & 0xFF) | (OleColor(green & 0xFF) << 8) | (OleColor(blue & 0xFF) << 16);
}
constexpr int redOf(qint64 colour) {
    return int(colour & 0xFF);
}
constexpr int greenOf(qint64 colour) {
    return int((colour >> 8) & 0xFF);
}
constexpr int blueOf(qint64 colour) {
    return int((colour >> 16) & 0xFF);
}

// Resolves a colour to an RGB value (red in the low byte). System colour
// indices go through the application palette; anything that cannot be
// resolved gives -1, whose channels all read as 255 (white).
qint32 TranslateColor(OleColor colour);

// As TranslateColor, but an unresolvable colour gives 0 (black).
OleColor translateOrBlack(OleColor colour);

// Converts a resolved RGB value (or -1) to a Qt pixel value.
QRgb toQRgb(qint32 resolved);

// Blends two colours channel by channel: Alpha 255 gives `from`, 0 gives `to`.
// Unresolvable colours count as black. Halves round to even.
OleColor dBlendColor(OleColor oColorFrom, OleColor oColorTo, int Alpha);
