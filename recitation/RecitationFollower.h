#pragma once

#include "ReadingPlace.h"

#include <QObject>
#include <QVariantList>

#include <optional>

class QuranReader;
class ReadingView;

// Keeps the page with the verse being recited.  The rule: the page follows
// while the verse recited before is on screen when the next one starts.
// Then the next verse becomes the current verse and, when its label is out
// of view, is scrolled to the top (at a sura's end the next sura's page is
// shown).  A reader who scrolls or goes elsewhere keeps that place: the
// verse is still made current when its sura is on the page, but the page
// does not move; scrolling back to the recited verse, or Play, Next or
// Previous, makes it follow again.
class RecitationFollower : public QObject {
    Q_OBJECT
public:
    RecitationFollower(QuranReader& reader, ReadingView& view, QObject* parent = nullptr);

    // The next verse is followed whatever is on screen (Play, Next,
    // Previous).
    void followNext() { forced_ = true; }
    // A verse starts; the basmala shows the verse 1 it opens.
    void follow(const VersePlace& verse);
    // Playback ended: nothing is followed until the next start.
    void reset();

signals:
    // The page was moved (scrolled or composed) for the verse.
    void followed(const VersePlace& verse);

private:
    // The page's answer to the follow script (see follow).
    void answered(const VersePlace& verse, bool moved, quint64 generation,
                  const QVariantList& answer);
    void settle(const VersePlace& verse, bool lastOnScreen, bool onPage);

    QuranReader& reader_;
    ReadingView& view_;
    int shownSura_ = 0;
    std::optional<VersePlace> last_;
    bool forced_ = true;
    bool composing_ = false;
    std::optional<VersePlace> pending_; // arrived while a sura was composed
    quint64 generation_ = 0;
};
