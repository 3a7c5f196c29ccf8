#pragma once

#include <QObject>
#include <QString>

// What plays one recitation file at a time.  The recitation drives it; the
// program's player plays through Qt Multimedia, the tests use one that
// plays nothing.  After stop() neither signal comes for the file stopped.
// A file may end (or fail) just as it is paused: `finished` then comes
// after pause(), and pause() and resume() do nothing more for that file.
class AudioPlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void play(const QString& file) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    virtual void stop() = 0;

signals:
    // The file played to its end.
    void finished();
    // The file could not be played (not audio, damaged, unreadable).
    void failed(const QString& reason);
};
