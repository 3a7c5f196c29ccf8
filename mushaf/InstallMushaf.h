#pragma once

struct SubsystemHost;

// The Arabic text as the printed mushaf sets it: the script (Uthmani or
// Simple, chosen in View or in the settings window) and the verse-end
// ornaments (a toggle in View), both stored; a change shows the sura on
// screen again at the same verse.
void installMushaf(SubsystemHost& host);
