#pragma once

// The own panels paint their captions themselves, so assistive technology
// learns from here what they are: a grouping (a panel to a screen reader,
// announced as focus enters it) named by its caption.  Each panel keeps its
// caption as its accessible name; this makes its role a grouping.  Runs once
// per process; panels call it when they are made.
void registerPanelAccessibility();
