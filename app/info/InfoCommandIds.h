#pragma once

// The chapter information's commands: its popup and the information window.
namespace InfoCommandId {
enum : int {
    InformationPopup = 206,
    Information = 224,
};
}
