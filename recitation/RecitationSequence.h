#pragma once

#include "RecitationOptions.h"

#include <functional>
#include <optional>

// One file to play: a verse, or the basmala that opens the verse's sura.
struct RecitationStep {
    VersePlace verse;
    bool basmala = false;
    // A repetition (of the verse or of the range): the pause goes first.
    bool afterPause = false;

    bool operator==(const RecitationStep&) const = default;
};

// The order of a recitation, without files or sound: from a starting verse,
// verse after verse to the end of the sura (or on into the next suras),
// each verse `repeats` times; the basmala (the file of 1:1) before verse 1 of
// every sura but 1 and 9 when the folder has it; with a range, its verses
// again and again until it was played `rangeTimes` times (0: without end).
class RecitationSequence {
public:
    using VerseCount = std::function<int(int sura)>;

    RecitationSequence(RecitationOptions options, VerseCount verseCount, bool hasBasmala);

    // Starts again at `verse` (a range starts at its first verse when the
    // verse lies outside it).  `withBasmala`: a verse 1 is opened by the
    // basmala where it is due.
    void start(const VersePlace& verse, bool withBasmala = true);
    // The next file to play; nothing at the end.
    std::optional<RecitationStep> next();
    // Passes over the repetitions left of the verse last returned (its file
    // cannot be played: trying it again would only fail again).
    void passVerse() { repetition_ = options_.repeats; }

    // The verse `step` verses from `verse` in reading order (into the next
    // or previous sura where the options go on across suras), held at the
    // first and last verse.
    VersePlace stepped(const VersePlace& verse, int step) const;

    const RecitationOptions& options() const { return options_; }

private:
    bool basmalaDue(const VersePlace& verse) const;
    bool inRange(const VersePlace& verse) const;
    // The verse after `verse`; nothing past the end of what is played.
    std::optional<VersePlace> following(const VersePlace& verse, bool acrossSuras) const;
    std::optional<RecitationStep> enter(const VersePlace& verse, bool afterPause);

    RecitationOptions options_;
    VerseCount verseCount_;
    bool hasBasmala_ = false;

    VersePlace verse_;
    bool begun_ = false;
    bool withBasmala_ = true;
    bool inBasmala_ = false;
    int repetition_ = 0; // of the current verse, from 1
    int pass_ = 1;       // of the range, from 1
};
