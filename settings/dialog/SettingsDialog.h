#pragma once

class AppContext;
class QuranReader;
struct SubsystemHost;

// Adds the settings command (212) to the menu "Go" and the toolbar: it opens the language
// and appearance settings window, one at a time and without waiting for it.
// After OK the page shown and the toolbar toggles follow the new settings.
void installSettingsDialog(SubsystemHost& host);

// What follows OK: the selected sura is composed again with the libraries
// and order now in effect.  (The library toggles follow the saved order by
// the settings' change signal.)
void showConfirmedSettings(QuranReader& reader);
