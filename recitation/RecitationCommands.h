#pragma once

#include "ReadingPlace.h"

#include <QObject>
#include <QPointer>

class AppContext;
class QuranReader;
class QWidget;
class ReadingView;
class Recitation;
class RecitationFollower;

// What the recitation's commands do in the main window: play from the
// current verse (or from a verse of the verse menu), pause and resume,
// stop, step to the next and previous verse, open the settings; notes go
// to the main window's status bar and problems to a message box.  The
// folder and the options are read from the settings at every start.
class RecitationCommands : public QObject {
    Q_OBJECT
public:
    RecitationCommands(AppContext& context, QuranReader& reader, ReadingView& view,
                       QWidget* mainWindow);

    // Plays from the current verse; a recitation paused there goes on.
    void playFromCurrent();
    void playFrom(const VersePlace& verse);
    // Pauses a recitation that plays, resumes one paused.
    void togglePause();
    void stop();
    void step(int step);
    void openSettings();

    Recitation& recitation() const { return *recitation_; }
    RecitationFollower& follower() const { return *follower_; }

private:
    // The verse to start from: the current one, else the one at the top of
    // the page, else the first of the selected sura, else 1:1.
    VersePlace startingVerse() const;
    void showNote(const QString& text);
    void showProblem(const QString& text);

    AppContext& context_;
    QuranReader& reader_;
    ReadingView& view_;
    QPointer<QWidget> mainWindow_;
    Recitation* recitation_ = nullptr;
    RecitationFollower* follower_ = nullptr;
};
