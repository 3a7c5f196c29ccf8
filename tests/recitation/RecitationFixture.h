#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

// A small recitation folder made with sox: short tones of known lengths
// for sura 1, 2:1-5, 112 and 113 (as Ogg) and 114; 2:4 left out and 2:3
// damaged (it begins as an MP3 does, then bytes that are no audio).  The
// basmala (1:1) is longer than the verses, so the two cannot be confused;
// the verses of sura 2 are longer still, so a test can act while one plays.
class RecitationFixture {
public:
    static constexpr int kVerseMs = 300;
    static constexpr int kBasmalaMs = 500;
    static constexpr int kLongVerseMs = 800;

    // False (with the reason in error()) when sox is not there.
    bool make() {
        if (QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty()) {
            error_ = QStringLiteral("sox is not installed");
            return false;
        }
        struct Sura {
            int sura;
            int verses;
            const char* extension;
        };
        const Sura suras[] = {
            {1, 7, "mp3"}, {2, 5, "mp3"}, {112, 4, "mp3"}, {113, 5, "ogg"}, {114, 6, "mp3"}};
        for (const Sura& sura : suras) {
            for (int verse = 1; verse <= sura.verses; ++verse) {
                if (sura.sura == 2 && verse == 4)
                    continue;
                const QString name = QStringLiteral("%1%2.%3")
                                         .arg(sura.sura, 3, 10, QLatin1Char('0'))
                                         .arg(verse, 3, 10, QLatin1Char('0'))
                                         .arg(QString::fromLatin1(sura.extension));
                if (sura.sura == 2 && verse == 3) {
                    if (!writeDamaged(dir_.filePath(name)))
                        return false;
                    continue;
                }
                const int ms = sura.sura == 1 && verse == 1 ? kBasmalaMs
                               : sura.sura == 2             ? kLongVerseMs
                                                            : kVerseMs;
                if (!tone(dir_.filePath(name), ms, 300 + 40 * verse))
                    return false;
            }
        }
        return true;
    }

    QString path() const { return dir_.path(); }
    const QString& error() const { return error_; }

private:
    bool tone(const QString& file, int ms, int hertz) {
        QProcess sox;
        sox.start(QStringLiteral("sox"),
                  {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("22050"),
                   QStringLiteral("-c"), QStringLiteral("1"), file, QStringLiteral("synth"),
                   QString::number(ms / 1000.0), QStringLiteral("sine"), QString::number(hertz)});
        if (!sox.waitForFinished(30000) || sox.exitCode() != 0 || !QFile::exists(file)) {
            error_ = QStringLiteral("sox failed for %1: %2")
                         .arg(file, QString::fromLocal8Bit(sox.readAllStandardError()));
            return false;
        }
        return true;
    }

    // An empty ID3 tag, as an MP3 begins, then bytes that are no audio: it
    // passes the look at its first bytes and fails in the media player.
    static bool writeDamaged(const QString& file) {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return false;
        QByteArray bytes("ID3\x04\0\0\0\0\0\0", 10);
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        bytes += noise;
        return out.write(bytes) == bytes.size();
    }

    QTemporaryDir dir_;
    QString error_;
};
