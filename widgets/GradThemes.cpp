#include "GradThemes.h"

#include <array>

std::optional<GradThemeColours> gradTheme(int theme) {
    static const std::array<GradThemeColours, 9> themes = {{
        {rgbColour(248, 166, 174), rgbColour(251, 210, 214), rgbColour(252, 221, 224),
         rgbColour(254, 239, 240), rgbColour(247, 158, 167), rgbColour(106, 21, 29)},
        {rgbColour(244, 238, 185), rgbColour(252, 250, 228), rgbColour(250, 247, 220),
         rgbColour(253, 252, 238), rgbColour(234, 225, 149), rgbColour(225, 213, 102)},
        {rgbColour(167, 197, 237), rgbColour(211, 224, 247), rgbColour(220, 232, 250),
         rgbColour(239, 244, 252), rgbColour(173, 193, 220), rgbColour(2, 45, 123)},
        {rgbColour(209, 214, 194), rgbColour(232, 234, 224), rgbColour(237, 239, 231),
         rgbColour(247, 248, 244), rgbColour(205, 211, 188), rgbColour(65, 71, 50)},
        {rgbColour(146, 201, 228), rgbColour(200, 227, 241), rgbColour(213, 234, 245),
         rgbColour(235, 245, 250), rgbColour(136, 196, 226), rgbColour(0, 57, 85)},
        {rgbColour(200, 229, 181), rgbColour(227, 242, 218), rgbColour(234, 245, 227),
         rgbColour(245, 250, 241), rgbColour(195, 227, 174), rgbColour(56, 87, 36)},
        {rgbColour(250, 198, 167), rgbColour(253, 226, 210), rgbColour(253, 233, 221),
         rgbColour(254, 245, 239), rgbColour(250, 192, 159), rgbColour(109, 54, 22)},
        {rgbColour(174, 201, 201), rgbColour(214, 227, 227), rgbColour(224, 234, 234),
         rgbColour(240, 245, 245), rgbColour(166, 196, 196), rgbColour(29, 57, 57)},
        {rgbColour(191, 176, 213), rgbColour(223, 215, 234), rgbColour(230, 225, 239),
         rgbColour(243, 241, 247), rgbColour(185, 169, 209), rgbColour(47, 32, 70)},
    }};
    if (theme < 0 || theme >= int(themes.size()))
        return std::nullopt;
    return themes[theme];
}
