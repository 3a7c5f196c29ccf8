#pragma once

#include "AudioPlayer.h"

#include <QUrl>

class QAudioOutput;
class QMediaPlayer;

// Plays recitation files through Qt Multimedia.  The media player and its
// output are made at the first file, so a program that never recites
// starts no media back end.
class MediaAudioPlayer : public AudioPlayer {
    Q_OBJECT
public:
    explicit MediaAudioPlayer(QObject* parent = nullptr);

    void play(const QString& file) override;
    void pause() override;
    void resume() override;
    void stop() override;

    // Whether a media player is made (none before the first file, nor after
    // a file that failed).
    bool isStarted() const { return player_ != nullptr; }

private:
    void makePlayer();
    void fail(const QString& reason);

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QUrl playing_; // the file whose end or failure is awaited; empty when none
};
