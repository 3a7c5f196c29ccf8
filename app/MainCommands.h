#pragma once

class CommandTable;

// The rows of the main window's own commands: the popups File, Go and Help,
// printing, Exit, the start page, Back and Forward, help, the about box and
// the library toggles, each with its identifier, caption, shortcut and place
// in the menus and on the toolbar "Standard".  Each subsystem adds the rows
// of its own commands when it is installed.
void addMainCommandRows(CommandTable& table);
