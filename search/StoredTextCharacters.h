#pragma once

#include <QList>
#include <QString>

// A verse as the libraries store it, read as the characters a reader sees:
// every character reference read ("&#1585;" is ر, "&lt;" is <), and for each
// code unit of that text the stretch of the stored text it came from.  A
// search for a typed word compares these characters, and the highlight
// wraps the stored stretch of a match, so the page shows the verse's own text.
class StoredTextCharacters {
public:
    explicit StoredTextCharacters(const QString& stored);

    const QString& text() const { return text_; }

    struct Stretch {
        qsizetype start = 0;
        qsizetype end = 0;
    };
    // Where the characters text()[from, from + length) stand in the stored
    // text.  `length` is at least 1.
    Stretch storedStretch(qsizetype from, qsizetype length) const;

private:
    QString text_;
    QList<Stretch> stored_; // one per code unit of text_
};
