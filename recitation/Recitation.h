#pragma once

#include "AudioPlayer.h"
#include "RecitationFolder.h"
#include "RecitationSequence.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QTimer;

// A recitation being played: walks the order of its sequence, plays each
// verse's file from the chosen folder, holds the pause between repetitions,
// and skips a verse whose file is missing or cannot be played with a note.
// No window: what follows it (the page, the status bar) listens to its
// signals.
class Recitation : public QObject {
    Q_OBJECT
public:
    enum class State { Stopped, Playing, Paused };
    Q_ENUM(State)

    using PlayerFactory = std::function<AudioPlayer*(QObject* parent)>;

    // The player is made by `makePlayer` when the first file plays.
    Recitation(PlayerFactory makePlayer, RecitationSequence::VerseCount verseCount,
               QObject* parent = nullptr);

    void setFolder(const QString& path) { folder_ = RecitationFolder(path); }
    const RecitationFolder& folder() const { return folder_; }
    void setOptions(const RecitationOptions& options) { options_ = options; }

    // Plays from `verse`; false (with `problem`) when no folder is chosen or
    // it is gone.
    bool play(const VersePlace& verse);
    void pause();
    void resume();
    void stop();
    // Goes `step` verses on (-1: back) from the verse being played.
    void step(int step);

    State state() const { return state_; }
    // The verse being played (or paused on); nothing when stopped.
    std::optional<VersePlace> verse() const { return verse_; }
    AudioPlayer* player() const { return player_; }

    // The pause between repetitions, in milliseconds per second of the
    // options (tests shorten it).
    void setMillisecondsPerSecond(int ms) { msPerSecond_ = ms; }

signals:
    // A file starts: the verse it recites, or for the basmala the verse 1 it
    // opens.
    void verseStarted(const VersePlace& verse, bool basmala);
    // A short note for the status bar (a verse skipped, the end).
    void note(const QString& text);
    // Playback could not start or go on (no folder chosen, the folder gone,
    // nothing in it plays); a message for the reader, who is offered the
    // settings.
    void problem(const QString& text);
    void stateChanged(Recitation::State state);

private:
    void setState(State state);
    void makePlayer();
    void startSequence(const VersePlace& verse, bool withBasmala);
    // Plays the next step with a file, skipping those without.
    void playNext();
    void playStep(const RecitationStep& step, const QString& file);
    void onFinished();
    void onFailed(const QString& reason);
    // Passes over a step whose file is missing or cannot be played (and the
    // verse's repetitions with it); stops when the folder itself is gone.
    void skipStep(const RecitationStep& step, const QString& text);
    void skipped(const QString& text);
    void folderGone();
    QString goneText() const;

    PlayerFactory makePlayer_;
    RecitationSequence::VerseCount verseCount_;
    RecitationFolder folder_;
    RecitationOptions options_;
    std::unique_ptr<RecitationSequence> sequence_;
    QPointer<AudioPlayer> player_;
    QTimer* pauseTimer_ = nullptr;
    State state_ = State::Stopped;
    std::optional<VersePlace> verse_;
    std::optional<RecitationStep> waiting_; // the step held by the pause
    QString waitingFile_;
    RecitationStep playingStep_;
    QString playingFile_;
    // Counts the files handed to the player and left behind; news from the
    // player carries the count of its file, so news of an earlier file is
    // dropped.
    quint64 fileNumber_ = 0;
    // The player reported the file's end or failure, not yet handled: the
    // file is over, there is nothing left to pause or resume.
    bool fileOver_ = false;
    bool nextOnResume_ = false; // the file ended or failed while paused
    int skippedInRow_ = 0;
    int msPerSecond_ = 1000;
};
