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
    player_->play();
}

void MediaAudioPlayer::pause() {
    if (player_)
        player_->pause();
}

void MediaAudioPlayer::resume() {
    if (player_)
        player_->play();
}

void MediaAudioPlayer::stop() {
    playing_.clear();
    if (player_)
        player_->stop();
}
