#pragma once

// The recitation's commands: its popup on the menu bar, playing, pausing,
// stopping, the next and previous verse, and its settings window.
namespace RecitationCommandId {
enum : int {
    RecitationPopup = 420,
    Play = 421,
    Pause = 422,
    Stop = 423,
    NextVerse = 424,
    PreviousVerse = 425,
    RecitationSettings = 426,
};
}
