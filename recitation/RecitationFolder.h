#pragma once

#include "ReadingPlace.h"

#include <QString>

#include <functional>

// A recitation folder: one audio file per verse, named by the sura and the
// verse with three digits each ("002255.mp3"); the file of 1:1 is also the
// basmala.  The files are read where they are, never copied.
class RecitationFolder {
public:
    static constexpr int kVerseTotal = 6236;

    explicit RecitationFolder(QString path = {});

    const QString& path() const { return path_; }
    bool exists() const;
    // A verse's file and whether it looks like audio (see AudioFileCheck).
    struct VerseFile {
        QString path; // empty when the folder has none
        bool playable = false;
    };
    // The verse's file ("002255" with the first extension found, one that
    // looks like audio before one that does not).
    VerseFile find(const VersePlace& verse) const;
    QString fileFor(const VersePlace& verse) const { return find(verse).path; }

    // The verses of the Qur'an with a file here, each counted once: those
    // with a file that looks like audio, and those with files that cannot
    // be played (empty, or no audio).
    struct Count {
        int playable = 0;
        int unplayable = 0;
    };
    Count count(const std::function<int(int sura)>& verseCount) const;

    static QString baseName(const VersePlace& verse);
    // The extensions of the files played, in the order they are looked for.
    static const QStringList& extensions();

private:
    QString path_;
};
