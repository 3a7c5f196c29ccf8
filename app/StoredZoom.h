#pragma once

class PageZoom;
class QWebEngineView;
class Settings;

// The page zoom the reader chose last, kept in the settings so that the
// pages open at it at the next start.
namespace StoredZoom {

// The stored zoom in percent; a value that is no zoom level reads as 100.
int read(const Settings& settings);

// Lets the reader zoom `view` from the stored zoom on, and stores every
// change the reader makes; the view follows changes stored from elsewhere.
PageZoom* attach(QWebEngineView* view, Settings& settings);

} // namespace StoredZoom
