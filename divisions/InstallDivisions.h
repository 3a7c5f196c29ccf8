#pragma once

#include <functional>

class DivisionTable;
struct SubsystemHost;

// Where the division table comes from: read the first time it is needed;
// null when the file is missing or damaged, and the divisions are off.
using DivisionSource = std::function<const DivisionTable*()>;

// The Qur'an's divisions in the main window: the go-to entries (a part, a
// quarter of the part on screen, "Page...", the next and previous part and
// page, with their keys), a status-bar panel naming the part, quarter and
// page of the verse at the top of the view as the reader scrolls, and the
// marks at the verses where a part or quarter begins or a prostration is
// made.  Without a table the entries are disabled and nothing else shows.
void installDivisions(SubsystemHost& host, DivisionSource source);
void installDivisions(SubsystemHost& host);
