#pragma once

// Command identifiers carried by menu items and toolbar buttons.  A menu
// item and a button with the same identifier run the same command.
namespace CommandId {
enum : int {
    FilePopup = 201,
    Print = 202,
    Exit = 203,
    SearchPopup = 204,
    Search = 205,
    InformationPopup = 206,
    BookmarksPopup = 209,
    AddBookmark = 210,
    DeleteBookmark = 211,
    Settings = 212, // also the popup "Go" shares it with its last item
    HelpPopup = 218,
    Help = 219,
    About = 220,
    StartPage = 221,
    PreviousEntry = 222,
    NextEntry = 223,
    Information = 224,
    GoToVerse = 225,
    ImportFavorites = 249,
    ExportFavorites = 250,
    // The last entry of a Bookmarks popup too long for the screen.
    MoreBookmarks = 251,
    ToggleLibrary1 = 501,
    ToggleLibrary2 = 502,
    ToggleLibrary3 = 503,
};
}
