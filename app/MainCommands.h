#pragma once

class CommandTable;

// The rows of the main window's menus and toolbar "Standard": every popup,
// menu item and button with its identifier, caption, shortcut and place.
// The subsystems register the handlers of their commands.
void addMainCommandRows(CommandTable& table);
