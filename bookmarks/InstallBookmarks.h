#pragma once

struct SubsystemHost;

// Gives the main window its bookmarks: the commands 210 and 211 (the bookmark
// dialog to add or delete), 225 (go to a verse), 249 and 250 (import and
// export favourites), the entries of the stored bookmarks in the Bookmarks
// menu and what choosing one does.
void installBookmarks(SubsystemHost& host);
