#pragma once

// The reading themes' entries in View: a popup with one entry per theme.
namespace ThemeCommandId {
enum : int {
    ThemePopup = 370,
    Day = 371,
    Sepia = 372,
    Night = 373,
};
}
