#pragma once

#include <QImage>

namespace miravel::artwork {

// Pictures of the HTML pages (sura page, start page, information and search
// pages). Every picture sits on a white page.
class PageArt {
public:
    static QImage titleLeft();      // left.gif, 111 x 40: the title band's left end
    static QImage titleRight();     // right.gif, 111 x 40: its mirror
    static QImage titleBand();      // title.gif, 430 x 40: repeated behind the title
    static QImage verseLabel();     // BAND.jpg, 53 x 14: hangs under the rule, behind "2 : 255"
    static QImage verseRule();      // w.jpg, 751 x 1: under every verse, above its label
    static QImage textSeparator();  // q, 680 x 4: between the texts of one verse
    static QImage headingRule();    // break.gif, 360 x 8: under information headings
    static QImage resultSplitter(); // splitter.gif, 500 x 6: between result label and verse
    static QImage searchHeader();   // SEARCHVIEW.JPG, 760 x 120: behind the result heading
    static QImage startPicture();   // miravelimage_gif, 318 x 490: the start page
};

} // namespace miravel::artwork
