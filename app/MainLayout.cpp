#include "MainLayout.h"

#include <algorithm>

namespace {

void setSize(float& field, float value) {
    if (value >= 0)
        field = value;
}

} // namespace

void layoutMainWindow(MainLayoutState& s, float windowWidth, float windowHeight, float topOffset) {
    s.browser.left = -30; // the view's own border lies outside the frame
    s.browser.top = -30;
    s.treePane.top = topOffset;
    s.treePane.left = 280;
    s.frame.top = s.treePane.top;
    s.frame.left = s.treePane.left + s.treePane.width;
    setSize(s.treePane.height, windowHeight - s.treePane.top - 1100);
    setSize(s.frame.height, s.treePane.height);
    if (s.treePaneVisible)
        setSize(s.frame.width, windowWidth - s.frame.left - 400);
    setSize(s.background.width, windowWidth - 100);
    setSize(s.background.height, windowHeight - (topOffset + 510));
    s.background.left = 0;
    s.background.top = topOffset - 250;
    setSize(s.browser.width, s.frame.width + 60);
    setSize(s.browser.height, s.frame.height + 60);
    setSize(s.tree.width, s.treePane.width - 70);
    setSize(s.tree.height, s.treePane.height - 100);
}

TwipsRect treeWithinPane(const MainLayoutState& s, float innerBottom) {
    TwipsRect tree = s.tree;
    tree.height = std::clamp(innerBottom - tree.top, 0.f, tree.height);
    return tree;
}
