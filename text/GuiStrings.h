#pragma once

#include <QMap>
#include <QString>

class ResReader;

// The interface captions and messages, read once at start-up by number
// from the string table of the translation library and kept for the run.
// Every window takes its captions from here.
class GuiStrings {
public:
    // The numbers the windows use.
    static const QList<int>& numbers();

    // Reads every number from `reader`; a missing one reads "*".
    void load(const ResReader& reader);

    // The kept text of `id`; "*" for a number never read.
    QString text(int id) const;
    // Overwrites a kept text (the library captions 223 and 225 are reset to
    // fixed words when the display settings are read).
    void setText(int id, const QString& text);

    // Captions that are fixed words, not read from the library.
    static QString information() { return QStringLiteral("Information"); }
    static QString bookmarks() { return QStringLiteral("Bookmarks"); }
    static QString importFavorites() { return QStringLiteral("Import favorites"); }
    static QString exportFavorites() { return QStringLiteral("Export favorites"); }
    // Asked before a report of more than 1000 verses is built.
    static QString longReportQuestion();
    // A caption as a screen reader reads it: without the "&" that marks its
    // access key ("&&" is a plain "&").
    static QString spoken(const QString& caption);

private:
    QMap<int, QString> texts_;
};
