#pragma once

// Identifiers of the main window's own commands, carried by menu items and
// toolbar buttons.  A menu item and a button with the same identifier run
// the same command.  Each subsystem keeps the identifiers of its commands in
// its own folder; the popups here are where they may add their items.
namespace CommandId {
enum : int {
    FilePopup = 201,
    Print = 202,
    Exit = 203,
    GoPopup = 207,
    HelpPopup = 218,
    Help = 219,
    About = 220,
    StartPage = 221,
    PreviousEntry = 222,
    NextEntry = 223,
    // View: the chapter information's popup (caption 206), which also holds
    // the library toggles.
    ViewPopup = 206,
    ToggleLibrary1 = 501,
    ToggleLibrary2 = 502,
    ToggleLibrary3 = 503,
};
}
