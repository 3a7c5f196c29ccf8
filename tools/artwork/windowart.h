#pragma once

#include <QImage>

namespace miravel::artwork {

// Pictures of the windows: splash, main-window background and about box.
class WindowArt {
public:
    static QImage splash();     // 450 x 300
    static QImage background(); // 799 x 559, stretched behind the tree and the page
    static QImage aboutBox();   // 362 x 262, 24-bit: dark strip, title, white field
};

} // namespace miravel::artwork
