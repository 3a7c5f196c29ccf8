#pragma once

// Placement of the main window's parts, in twips, recomputed whenever the
// window is resized or the toolbar row is shown or hidden.
struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool operator==(const TwipsRect&) const = default;
};

struct MainLayoutState {
    TwipsRect treePane;   // xplst
    TwipsRect tree;       // lst, within the tree pane
    TwipsRect frame;      // Frame1, holding the page
    TwipsRect browser;    // WebBrowser1, within Frame1
    TwipsRect background; // Image1
    bool treePaneVisible = true;
};

// TopOffset while the toolbar row is shown, and without it (one row less).
constexpr float kTopOffsetWithToolbar = 990;
constexpr float kTopOffsetWithoutToolbar = 600;

// The resize rules, applied to `state` in their fixed order.  A size that
// would be negative (a minimised or tiny window) is not applied: that part
// keeps its former size and the later steps still run.
void layoutMainWindow(MainLayoutState& state, float windowWidth, float windowHeight,
                      float topOffset);

// Where the tree lies in its pane: as the rules place it, but ending at
// `innerBottom` (twips from the pane's top: where the pane's footer bar or
// outline begins) wherever the rules would let it reach further (they let it
// hang 260 twips below the pane), and never of negative height.
TwipsRect treeWithinPane(const MainLayoutState& state, float innerBottom);
