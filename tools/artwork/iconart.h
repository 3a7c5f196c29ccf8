#pragma once

#include <QImage>
#include <QList>

namespace miravel::artwork {

// 16 x 16 pictures with transparency: the toolbar's image list, labelled by
// command identifier, and the two images of the sura tree.
class IconArt {
public:
    static QList<int> toolbarIds();
    // The picture labelled id; an unknown id gives a null image.
    static QImage toolbarIcon(int id);
    static QImage treeBook(); // tree image 5: the top-level nodes
    static QImage treeSura(); // tree image 16: a sura node
};

} // namespace miravel::artwork
