#pragma once

// The settings window's command, the last item of the popup "Go".
namespace SettingsCommandId {
enum : int {
    Settings = 212,
};
}
