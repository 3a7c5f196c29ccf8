#pragma once

#include <QHash>
#include <QString>

// The text of every verse that matched in the last search, by the sura's
// resource number (0..214) and the verse number (0..3000).  A verse that did
// not match reads as empty.
class FoundVerses {
public:
    static constexpr int kMaxResource = 214;
    static constexpr int kMaxVerse = 3000;

    // Keeps `text` for the verse; a place outside the table is not kept.
    void set(int resourceId, int verse, const QString& text);
    QString at(int resourceId, int verse) const;
    void clear() { verses_.clear(); }
    qsizetype size() const { return verses_.size(); }

private:
    static bool inTable(int resourceId, int verse);
    static int cell(int resourceId, int verse) { return resourceId * (kMaxVerse + 1) + verse; }

    QHash<int, QString> verses_;
};
