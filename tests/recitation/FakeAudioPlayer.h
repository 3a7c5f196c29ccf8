#pragma once

#include "AudioPlayer.h"

#include <QFileInfo>
#include <QStringList>

// A player that plays nothing: it notes the files it was given (by their
// names without extension) and ends or fails a file when the test says so.
class FakeAudioPlayer : public AudioPlayer {
    Q_OBJECT
public:
    using AudioPlayer::AudioPlayer;

    void play(const QString& file) override {
        played << QFileInfo(file).baseName();
        playing = true;
        paused = false;
    }
    void pause() override { paused = true; }
    void resume() override { paused = false; }
    void stop() override {
        playing = false;
        ++stops;
    }

    void finish() { emit finished(); }
    void fail(const QString& reason) { emit failed(reason); }

    QStringList played;
    bool playing = false;
    bool paused = false;
    int stops = 0;
};
