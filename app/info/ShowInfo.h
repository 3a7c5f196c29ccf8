#pragma once

#include <QString>

class AppContext;
class QWidget;
struct SubsystemHost;

// Shows the introduction of a sura, or the general introduction, from the
// Arabic text library in the information window, modally over `parent`.
// The argument is the key of a sura tree node without its first character
// ("1".."114", or "nglish" for the general introduction).  False, with
// nothing shown, for an argument that names no chapter.
bool ShowInfo(AppContext& context, const QString& argument, QWidget* parent);

// Registers the chapter information command, which shows the information of
// the sura selected in the tree.
void installChapterInformation(SubsystemHost& host);
