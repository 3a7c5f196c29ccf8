#pragma once

#include <QString>

#include <functional>
#include <optional>

class Settings;

// A verse of a sura, as the label under it names it ("2 : 255").
struct VersePlace {
    int sura = 0;
    int verse = 0;

    // The label "sura : verse" read back: nothing for any other text.
    static std::optional<VersePlace> fromLabel(const QString& label);
    QString label() const;
    bool operator==(const VersePlace&) const = default;
};

// "Continue where I left off": when the reader keeps the option on, the
// program notes at its close which sura was on screen and which verse stood
// at the top, and opens there at the next start instead of the start page.
namespace ReadingPlace {

bool isKept(const Settings& settings);

// The place to open at start-up: the stored one when the option is on and
// the place exists (sura 1..114, verse 1..verseCount(sura)).  A damaged
// place is ignored with one info line; the start page is noted as no place.
std::optional<VersePlace> toOpen(const Settings& settings,
                                 const std::function<int(int sura)>& verseCount);

// Notes the place on screen at the close; nothing means the start page (or
// another page that is no sura) was shown.
void keep(Settings& settings, const std::optional<VersePlace>& place);

} // namespace ReadingPlace
