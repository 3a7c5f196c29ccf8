#include "XpStyle.h"

bool applyXpTheme(int appearence, XpColours& c) {
    const OleColor commonFooterText = rgbColour(215, 230, 251);
    switch (appearence) {
    case 0:
        c = {rgbColour(137, 170, 224), rgbColour(7, 33, 100),    rgbColour(215, 230, 251),
             rgbColour(172, 191, 227), rgbColour(9, 42, 127),    rgbColour(102, 145, 215),
             commonFooterText,         rgbColour(142, 179, 231), rgbColour(142, 179, 231),
             rgbColour(1, 45, 150)};
        return true;
    case 1:
        c = {rgbColour(160, 160, 160), dBlendColor(rgbColour(90, 90, 90), 0, 230),
             rgbColour(255, 255, 255), rgbColour(220, 220, 220),
             rgbColour(169, 169, 169), rgbColour(105, 105, 105),
             commonFooterText,         rgbColour(112, 112, 112),
             rgbColour(112, 112, 112), rgbColour(68, 68, 68)};
        return true;
    case 2:
        c = {rgbColour(216, 228, 248), rgbColour(49, 106, 197),  rgbColour(215, 230, 251),
             rgbColour(65, 105, 225),  rgbColour(49, 106, 197),  rgbColour(211, 229, 250),
             commonFooterText,         rgbColour(243, 255, 255), rgbColour(142, 179, 231),
             rgbColour(192, 211, 240)};
        return true;
    case 3:
        c = {rgbColour(255, 255, 255), rgbColour(201, 211, 243), rgbColour(0, 41, 99),
             rgbColour(172, 191, 227), rgbColour(255, 255, 255), rgbColour(184, 205, 236),
             rgbColour(0, 41, 99),     rgbColour(255, 255, 255), rgbColour(201, 211, 243),
             rgbColour(184, 205, 236)};
        return true;
    case 4:
        c = {rgbColour(239, 238, 192), rgbColour(255, 255, 255), kTheme4HeaderText,
             rgbColour(185, 151, 58),  rgbColour(239, 238, 192), rgbColour(255, 255, 255),
             commonFooterText,         rgbColour(233, 244, 207), rgbColour(255, 255, 255),
             rgbColour(218, 222, 189)};
        return true;
    case 5:
        c = {rgbColour(219, 220, 232), rgbColour(149, 147, 177), rgbColour(119, 118, 151),
             rgbColour(106, 90, 205),  rgbColour(149, 147, 177), rgbColour(207, 223, 239),
             commonFooterText,         rgbColour(232, 232, 232), rgbColour(232, 232, 232),
             rgbColour(119, 118, 151)};
        return true;
    case 6:
        c = {rgbColour(209, 227, 251), rgbColour(106, 140, 203), rgbColour(110, 109, 143),
             rgbColour(45, 80, 153),   rgbColour(176, 196, 222), rgbColour(100, 149, 237),
             commonFooterText,         rgbColour(255, 255, 255), rgbColour(255, 255, 255),
             rgbColour(0, 0, 128)};
        return true;
    case 7:
        c = {rgbColour(255, 122, 0),  rgbColour(130, 0, 0),     rgbColour(255, 222, 173),
             rgbColour(246, 172, 84), rgbColour(180, 99, 1),    rgbColour(130, 0, 0),
             commonFooterText,        rgbColour(255, 222, 173), rgbColour(224, 180, 97),
             rgbColour(139, 0, 0)};
        return true;
    case 8:
        c = {rgbColour(72, 209, 204),  rgbColour(43, 103, 109),  rgbColour(233, 250, 248),
             rgbColour(193, 240, 234), rgbColour(0, 139, 139),   rgbColour(0, 128, 128),
             commonFooterText,         rgbColour(224, 255, 255), rgbColour(224, 255, 255),
             rgbColour(65, 131, 111)};
        return true;
    case 9:
        c = {rgbColour(192, 192, 192), rgbColour(51, 51, 51),    rgbColour(235, 235, 235),
             rgbColour(220, 220, 220), rgbColour(128, 128, 128), rgbColour(211, 211, 211),
             commonFooterText,         rgbColour(235, 235, 235), rgbColour(235, 235, 235),
             rgbColour(51, 51, 51)};
        return true;
    case 10: {
        const OleColor fade = dBlendColor(rgbColour(11, 63, 153), 0, 230);
        c = {rgbColour(81, 128, 208),  fade,
             rgbColour(255, 0, 0),     rgbColour(191, 0, 0),
             rgbColour(81, 128, 208),  fade,
             commonFooterText,         rgbColour(142, 179, 231),
             rgbColour(142, 179, 231), rgbColour(0, 45, 150)};
        return true;
    }
    case 11:
        c = {rgbColour(0, 45, 150),    rgbColour(89, 135, 214),  rgbColour(172, 191, 227),
             rgbColour(172, 191, 227), rgbColour(255, 255, 255), rgbColour(201, 211, 243),
             commonFooterText,         rgbColour(246, 247, 248), rgbColour(246, 247, 248),
             rgbColour(124, 124, 148)};
        return true;
    default:
        return false;
    }
}

int headerBarHeight(int headerSize) {
    switch (headerSize) {
    case 0:
        return 18;
    case 1:
        return 25;
    case 2:
        return 40;
    default:
        return 0;
    }
}

int footerBarHeight(int footerSize) {
    switch (footerSize) {
    case 0:
        return 20;
    case 1:
        return 34;
    default:
        return 0;
    }
}

bool textFormatFor(int align, Qt::Alignment& format) {
    if (align < 0 || align > 8)
        return false;
    static const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    static const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    format = horizontal[align / 3] | vertical[align % 3];
    return true;
}

Qt::PenStyle penStyleFor(int style) {
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}
