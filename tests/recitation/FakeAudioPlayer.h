#pragma once

#include "AudioPlayer.h"

#include <QFileInfo>
#include <QStringList>

// A player that plays nothing: it notes the files it was given (by their
// names without extension) and ends or fails a file when the test says so.
//
// With `durationMs` set it also keeps time on a clock the test moves with
// advance(): each file lasts that long, and its end is reported `reportMs`
// after it is reached (a media back end tells it a little late), also when
// the file was paused in between, as a real end already on its way.
class FakeAudioPlayer : public AudioPlayer {
    Q_OBJECT
public:
    using AudioPlayer::AudioPlayer;

    void play(const QString& file) override {
        played << QFileInfo(file).baseName();
        playing = true;
        paused = false;
        positionMs = 0;
        overMs = 0;
        ended = false;
        reported = false;
    }
    void pause() override {
        paused = true;
        touchedAfterEnd += reported ? 1 : 0;
    }
    void resume() override {
        paused = false;
        touchedAfterEnd += reported ? 1 : 0;
    }
    void stop() override {
        playing = false;
        ++stops;
    }

    void finish() { emit finished(); }
    void fail(const QString& reason) { emit failed(reason); }

    void advance(int ms) {
        if (!playing || durationMs <= 0 || reported)
            return;
        if (ended) {
            overMs += ms;
        } else if (!paused) {
            positionMs += ms;
            ended = positionMs >= durationMs;
            overMs = ended ? positionMs - durationMs : 0;
        }
        if (ended && overMs >= reportMs) {
            reported = true;
            emit finished();
        }
    }

    QStringList played;
    bool playing = false;
    bool paused = false;
    int stops = 0;

    int durationMs = 0;
    int reportMs = 0;
    int positionMs = 0;
    int overMs = 0;        // since the end was reached
    bool ended = false;    // the end is reached
    bool reported = false; // and reported
    // Pauses and resumes of a file whose end was reported: a real player
    // would start it over.
    int touchedAfterEnd = 0;
};
