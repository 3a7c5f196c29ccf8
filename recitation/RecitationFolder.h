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
    // The verse's file ("002255" with the first extension found); empty
    // when the folder has none.
    QString fileFor(const VersePlace& verse) const;
    // How many verses of the Qur'an have a file here (each counted once).
    int versesPresent(const std::function<int(int sura)>& verseCount) const;

    static QString baseName(const VersePlace& verse);
    // The extensions of the files played, in the order they are looked for.
    static const QStringList& extensions();

private:
    QString path_;
};
