#pragma once

struct SubsystemHost;

// The reading theme (Day, Sepia, Night): chosen in View or in the settings
// window and stored as `Theme`, it colours every page the program's views
// load from then on and the pages on screen at once, and the main window's
// panels in Sepia and Night.
void installThemes(SubsystemHost& host);
