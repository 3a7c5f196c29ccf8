#pragma once

#include <QList>
#include <QString>

#include <optional>

// The page zoom levels readers know from web browsers, in percent, and the
// way from one to the next.  The engine's zoom factor is the percentage / 100.
namespace ZoomSteps {

inline constexpr int kNormal = 100;

// Every level, smallest first: 25 % to 500 %, the engine's whole range.
const QList<int>& levels();

bool isLevel(int percent);
// The next level above `percent`; the largest stays where it is.
int larger(int percent);
// The next level below `percent`; the smallest stays where it is.
int smaller(int percent);

// A zoom as stored ("125"): the level when the text is a whole number that
// is one of the levels, else nothing.
std::optional<int> fromText(const QString& text);

inline double factor(int percent) {
    return percent / 100.0;
}

} // namespace ZoomSteps
