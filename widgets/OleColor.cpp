#include "OleColor.h"

#include <array>
#include <cmath>
#include <optional>
#include <QGuiApplication>
#include <QPalette>

namespace {

// The platform's system colour indices (0..30) and the palette roles that
// stand for them here. Index 25 has no meaning and stays unresolvable.
std::optional<QPalette::ColorRole> roleForSystemIndex(quint32 index) {
    using R = QPalette::ColorRole;
    static const std::array<std::optional<R>, 31> roles = {
        R::Mid,             // 0 scroll bar
        R::Dark,            // 1 desktop
        R::Highlight,       // 2 active caption
        R::Mid,             // 3 inactive caption
        R::Window,          // 4 menu
        R::Base,            // 5 window
        R::Shadow,          // 6 window frame
        R::WindowText,      // 7 menu text
        R::Text,            // 8 window text
        R::HighlightedText, // 9 caption text
        R::Button,          // 10 active border
        R::Button,          // 11 inactive border
        R::Mid,             // 12 application workspace
        R::Highlight,       // 13 highlight
        R::HighlightedText, // 14 highlight text
        R::Button,          // 15 button face
        R::Dark,            // 16 button shadow
        R::PlaceholderText, // 17 grey text
        R::ButtonText,      // 18 button text
        R::WindowText,      // 19 inactive caption text
        R::Light,           // 20 button highlight
        R::Shadow,          // 21 dark shadow
        R::Midlight,        // 22 light
        R::ToolTipText,     // 23 info text
        R::ToolTipBase,     // 24 info background
        std::nullopt,       // 25 unused
        R::Link,            // 26 hot light
        R::Highlight,       // 27 gradient active caption
        R::Mid,             // 28 gradient inactive caption
        R::Highlight,       // 29 menu highlight
        R::Window,          // 30 menu bar
    };
    if (index >= roles.size())
        return std::nullopt;
    return roles[index];
}

} // namespace

qint32 TranslateColor(OleColor colour) {
    const quint32 kind = colour >> 24;
    if (kind == 0)
        return qint32(colour);
    if (kind != 0x80)
        return -1;
    const auto role = roleForSystemIndex(colour & 0x00FFFFFFu);
    if (!role)
        return -1;
    const QColor c = QGuiApplication::palette().color(QPalette::Active, *role);
    return qint32(rgbColour(c.red(), c.green(), c.blue()));
}

OleColor translateOrBlack(OleColor colour) {
    const qint32 resolved = TranslateColor(colour);
    return resolved < 0 ? 0 : OleColor(resolved);
}

QRgb toQRgb(qint32 resolved) {
    return qRgb(redOf(resolved), greenOf(resolved), blueOf(resolved));
}

OleColor dBlendColor(OleColor oColorFrom, OleColor oColorTo, int Alpha) {
    const OleColor from = translateOrBlack(oColorFrom);
    const OleColor to = translateOrBlack(oColorTo);
    auto blend = [Alpha](int f, int t) {
        const double v = (255.0 - Alpha) * t / 255.0 + double(Alpha) * f / 255.0;
        return int(std::nearbyint(v));
    };
    return rgbColour(blend(redOf(from), redOf(to)), blend(greenOf(from), greenOf(to)),
                     blend(blueOf(from), blueOf(to)));
}
