#pragma once

class AppContext;
class QuranReader;
class QWidget;
class ReadingView;

// What a subsystem (search, bookmarks, the settings dialog) is handed when
// the main window installs it: the run's context (settings, captions, sura
// catalogue, text libraries, command table) where it adds its command rows
// and handlers, the reader that shows pages and verses, the reading view
// with the current verse and its verse actions, and the main window as the
// owner of the windows it opens.
struct SubsystemHost {
    AppContext& context;
    QuranReader& reader;
    ReadingView& view;
    QWidget* mainWindow;
};
