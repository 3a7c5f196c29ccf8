#pragma once

// The search's commands: its popup on the menu bar and the search window.
namespace SearchCommandId {
enum : int {
    SearchPopup = 204,
    Search = 205,
};
}
