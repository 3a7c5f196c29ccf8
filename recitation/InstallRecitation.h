#pragma once

class CommandTable;
class RecitationCommands;
struct SubsystemHost;

// Gives the main window its recitation: the Recitation menu (420) with
// play from the current verse (421, F5), pause and resume (422, F6), stop
// (423, F7), the next and previous verse (424, F9; 425, F8) and the
// recitation settings (426), the same on the toolbar but the settings, and
// "Play from this verse" in the verse menu.  Answers what the commands act
// through.
RecitationCommands* installRecitation(SubsystemHost& host);

// The recitation's rows of the command table (menu, toolbar buttons with
// their icons, shortcuts), without handlers.
void addRecitationCommands(CommandTable& table);
