#pragma once

#include <optional>
#include <QString>

// Numbers stored as text in the settings.
namespace NumberText {

// Reads the number at the start of text the way a number literal is read:
// optional blanks and sign, decimal digits with an optional fraction, or "&H"
// and hexadecimal digits. Reading stops at the first character that does not
// fit ("&H00FEBE9E&" is 16694942, "12px" is 12); no number at all is 0.
double LeadingValue(const QString& text);

// The whole text (blanks around it aside) as a number in the forms above,
// rounded to a 32-bit integer; nothing when the text is not a number or the
// number does not fit.
std::optional<qint32> StrictInt32(const QString& text);

// Rounds to the nearest integer, a half to the even neighbour; nothing when
// the result does not fit in 32 bits.
std::optional<qint32> RoundToInt32(double value);

// LeadingValue rounded to 32 bits, or fallback when it does not fit.
qint32 LeadingInt32(const QString& text, qint32 fallback);

} // namespace NumberText
