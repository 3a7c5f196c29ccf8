#pragma once

#include "ReadingPlace.h"

class Settings;

// How a recitation is played for learning by heart: each verse n times, a
// range of verses n times or without end, a pause between repetitions, and
// whether the end of a sura goes on to the next one.
struct RecitationOptions {
    static constexpr int kMaxRepeats = 10;
    static constexpr int kMaxPauseSeconds = 10;

    int repeats = 1; // each verse, 1..kMaxRepeats
    bool rangeOn = false;
    VersePlace rangeFrom{1, 1};
    VersePlace rangeTo{1, 7};
    int rangeTimes = 1;   // 0: without end
    int pauseSeconds = 0; // between repetitions, 0..kMaxPauseSeconds
    bool nextSura = false;

    // The stored options; a value out of range reads as the nearest allowed
    // one (logged), a range whose end comes before its start is switched off.
    static RecitationOptions read(const Settings& settings);
    void store(Settings& settings) const;

    bool operator==(const RecitationOptions&) const = default;
};
