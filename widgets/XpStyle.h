#pragma once

#include <Qt>

#include "OleColor.h"

// The ten colours the XP-style frame paints with.
struct XpColours {
    OleColor headerBack = 0;
    OleColor headerFade = 0;
    OleColor headerText = 0;
    OleColor button = 0;
    OleColor footerBack = 0;
    OleColor footerFade = 0;
    OleColor footerText = 0;
    OleColor bodyTop = 0;
    OleColor bodyBottom = 0;
    OleColor border = 0;
};

// Header text colour chosen for theme 4, which assigns none of its own:
// a dark olive brown that reads well on the pale yellow header.
inline constexpr OleColor kTheme4HeaderText = rgbColour(84, 70, 20);

// Assigns the colours of theme 0..11 into `colours`; any other number
// leaves them as they were and returns false.
bool applyXpTheme(int appearence, XpColours& colours);

// Bar heights in pixels: header 18/25/40 for sizes 0/1/2, footer 20/34 for 0/1, else 0.
int headerBarHeight(int headerSize);
int footerBarHeight(int footerSize);

// Single-line placement flags for alignment 0..8; false for any other value.
bool textFormatFor(int align, Qt::Alignment& format);

// The pen style for the platform's style numbers 0..6 (5 = none, 6 = inside frame).
Qt::PenStyle penStyleFor(int style);
