#pragma once

struct SubsystemHost;

// Registers the search command: it opens the search window, or brings the
// open one to the front (there is at most one).
void installSearch(SubsystemHost& host);
