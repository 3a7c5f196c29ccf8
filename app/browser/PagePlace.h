#pragma once

#include <QString>

#include <optional>

class BrowserView;

// Where the reader stands in a page of blocks that each end with a marker
// element (a sura page: every verse ends with its label).  Works on the
// document from the application's script world.
namespace PagePlace {

// The text of the first element matching `selector` whose top is at or
// below the top of the view: the marker of the block the reader sees first
// (the last marker when all are scrolled past).  Nothing when the page has
// no such element.
std::optional<QString> firstMarkerFromTop(BrowserView& view, const QString& selector);

// Scrolls the page so that the block ending with the marker whose text is
// `markerText` starts at the top of the view: the marker before it just out
// of sight, the first block from the top of the page.  False when no
// marker has that text.
bool scrollBlockToTop(BrowserView& view, const QString& selector, const QString& markerText);

} // namespace PagePlace
