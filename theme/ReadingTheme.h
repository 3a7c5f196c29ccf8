#pragma once

#include <QColor>
#include <QList>
#include <QString>

// The reading themes: Day (the pages as they are made), Sepia and Night.
// A theme colours every page of the program (the sura page, the chapter
// information, the result pages, the start page) on screen; on paper every
// page is Day.  Each keeps its text at least 7:1 against its background.
namespace ReadingTheme {

enum class Kind { Day, Sepia, Night };

QList<Kind> all();

// The caption the reader chooses ("Day", "Sepia", "Night"), which is also
// the stored value.
QString name(Kind kind);
// The stored value read back, without regard to case; anything else is Day.
Kind fromName(const QString& text);

// The style sheet a page carries in the theme.
QString styleSheet(Kind kind);
// Script that gives the page in view the theme's style sheet (replacing a
// theme's sheet given before) and marks its root with data-reading-theme.
QString applyScript(Kind kind);

// The colours of the program's panels (the sura tree, the bars) in the
// theme; Day keeps the desktop's.
struct PanelColours {
    QColor base;
    QColor text;
    QColor window;
    QColor windowText;
};
PanelColours panelColours(Kind kind);

} // namespace ReadingTheme
