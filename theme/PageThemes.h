#pragma once

#include "ReadingTheme.h"

class QWidget;
class QWebEngineProfile;

// Puts a theme on the program's pages: every page a view of `profile`
// loads from now on carries it, and, when `restyleShownPages`, so do the
// pages of the views on screen.  At start-up no page is shown yet: styling a
// view's page while its first page loads unsettles where that page scrolls.
namespace PageThemes {

void apply(ReadingTheme::Kind kind, QWebEngineProfile* profile, bool restyleShownPages = true);
// The panels of `window` (its tree, bars and lists) in the theme's colours;
// Day gives them the desktop's again.
void colourPanels(ReadingTheme::Kind kind, QWidget* window);

} // namespace PageThemes
