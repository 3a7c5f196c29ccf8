#pragma once

#include "ReadingTheme.h"

class QWidget;
class QWebEngineProfile;

// Puts a theme on the program's pages: every page a view of `profile`
// loads from now on carries it, and so do the pages of the views on screen.
namespace PageThemes {

void apply(ReadingTheme::Kind kind, QWebEngineProfile* profile);
// The panels of `window` (its tree, bars and lists) in the theme's colours;
// Day gives them the desktop's again.
void colourPanels(ReadingTheme::Kind kind, QWidget* window);

} // namespace PageThemes
