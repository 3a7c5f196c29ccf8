#include "MediaAudioPlayer.h"

#include <QAudioOutput>
#include <QMediaPlayer>

MediaAudioPlayer::MediaAudioPlayer(QObject* parent) : AudioPlayer(parent) {}

void MediaAudioPlayer::makePlayer() {
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                // Statuses of a file left behind (stopped, replaced) are not ours.
                if (playing_.isEmpty() || player_->source() != playing_)
                    return;
                if (status == QMediaPlayer::EndOfMedia) {
                    playing_.clear();
                    emit finished();
                } else if (status == QMediaPlayer::InvalidMedia) {
                    fail(player_->errorString());
                }
            });
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString& text) {
                if (error != QMediaPlayer::NoError && !playing_.isEmpty())
                    fail(text);
            });
}

void MediaAudioPlayer::fail(const QString& reason) {
    playing_.clear();
    // A media pipeline that met an undecodable file fails the next one too
    // ("Internal data stream error"): the next file gets a new player.
    player_->disconnect(this);
    player_->deleteLater();
    output_->deleteLater();
    player_ = nullptr;
    output_ = nullptr;
    emit failed(reason);
}

void MediaAudioPlayer::play(const QString& file) {
    if (!player_)
        makePlayer();
    playing_ = QUrl::fromLocalFile(file);
    // A repetition of the same file loads it afresh: the player keeps a
    // source it already has, at its end.
    player_->setSource(QUrl());
    player_->setSource(playing_);
    // A back end may refuse the file while it is set (and the player is
    // let go in fail()).
    if (player_ && !playing_.isEmpty())
        player_->play();
}

// Only a file still awaited is paused or resumed: a media player at its end
// would start the file over on play(), and pause() would rewind it, so the
// verse would be heard again with no end reported for it.
void MediaAudioPlayer::pause() {
    if (player_ && !playing_.isEmpty())
        player_->pause();
}

void MediaAudioPlayer::resume() {
    if (player_ && !playing_.isEmpty())
        player_->play();
}

void MediaAudioPlayer::stop() {
    playing_.clear();
    if (player_)
        player_->stop();
}
