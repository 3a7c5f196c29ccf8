#pragma once

#include <optional>

#include "OleColor.h"

// The six colours a gradient-panel theme assigns.
struct GradThemeColours {
    OleColor headerColor1;
    OleColor headerColor2;
    OleColor backColor1;
    OleColor backColor2;
    OleColor borderColor;
    OleColor captionColor;
};

// Theme 0..8; nothing for any other number.
std::optional<GradThemeColours> gradTheme(int theme);
