#include "RecitationSequence.h"

#include <algorithm>

namespace {

constexpr int kSuraCount = 114;

bool comesBefore(const VersePlace& a, const VersePlace& b) {
    return a.sura < b.sura || (a.sura == b.sura && a.verse < b.verse);
}

} // namespace

RecitationSequence::RecitationSequence(RecitationOptions options, VerseCount verseCount,
                                       bool hasBasmala)
    : options_(options), verseCount_(std::move(verseCount)), hasBasmala_(hasBasmala) {
    options_.repeats = std::clamp(options_.repeats, 1, RecitationOptions::kMaxRepeats);
    if (options_.rangeOn && comesBefore(options_.rangeTo, options_.rangeFrom))
        options_.rangeOn = false;
}

void RecitationSequence::start(const VersePlace& verse, bool withBasmala) {
    verse_ = options_.rangeOn && !inRange(verse) ? options_.rangeFrom : verse;
    begun_ = false;
    withBasmala_ = withBasmala;
    inBasmala_ = false;
    repetition_ = 0;
    pass_ = 1;
}

bool RecitationSequence::basmalaDue(const VersePlace& verse) const {
    return hasBasmala_ && verse.verse == 1 && verse.sura != 1 && verse.sura != 9;
}

bool RecitationSequence::inRange(const VersePlace& verse) const {
    return !comesBefore(verse, options_.rangeFrom) && !comesBefore(options_.rangeTo, verse);
}

std::optional<VersePlace> RecitationSequence::following(const VersePlace& verse,
                                                        bool acrossSuras) const {
    if (verse.verse < verseCount_(verse.sura))
        return VersePlace{verse.sura, verse.verse + 1};
    if (acrossSuras && verse.sura < kSuraCount)
        return VersePlace{verse.sura + 1, 1};
    return std::nullopt;
}

std::optional<RecitationStep> RecitationSequence::enter(const VersePlace& verse, bool afterPause) {
    verse_ = verse;
    repetition_ = 1;
    inBasmala_ = withBasmala_ && basmalaDue(verse);
    withBasmala_ = true; // only the starting verse may go without it
    return RecitationStep{verse, inBasmala_, afterPause};
}

std::optional<RecitationStep> RecitationSequence::next() {
    if (!begun_) {
        begun_ = true;
        return enter(verse_, false);
    }
    if (inBasmala_) {
        inBasmala_ = false;
        return RecitationStep{verse_, false, false};
    }
    if (repetition_ < options_.repeats) {
        ++repetition_;
        return RecitationStep{verse_, false, true};
    }
    if (options_.rangeOn) {
        // A range whose end names no verse (1:1 to 1:200) ends at the last
        // verse before it.
        const auto after = verse_ == options_.rangeTo ? std::nullopt : following(verse_, true);
        if (after && inRange(*after))
            return enter(*after, false);
        if (options_.rangeTimes != 0 && pass_ >= options_.rangeTimes)
            return std::nullopt;
        ++pass_;
        return enter(options_.rangeFrom, true);
    }
    const auto after = following(verse_, options_.nextSura);
    return after ? enter(*after, false) : std::nullopt;
}

VersePlace RecitationSequence::stepped(const VersePlace& verse, int step) const {
    VersePlace place = verse;
    const bool across = options_.nextSura || options_.rangeOn;
    for (; step > 0; --step) {
        const auto after = following(place, across);
        if (!after)
            break;
        place = *after;
    }
    for (; step < 0; ++step) {
        if (place.verse > 1)
            --place.verse;
        else if (across && place.sura > 1)
            place = VersePlace{place.sura - 1, std::max(1, verseCount_(place.sura - 1))};
        else
            break;
    }
    return place;
}
