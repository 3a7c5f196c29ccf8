#pragma once

#include <functional>
#include <QString>

// Where the settings model gets the captions of the three text libraries from,
// and how it writes back the shared captions of libraries 1 and 3. The GUI
// string store installs these once it has read the strings (224 is the
// caption of library 2; 223 and 225 are the shared captions of 1 and 3).
// Until then library 2 reads as "*", like any missing GUI string, and the
// write-back does nothing.
struct LibraryCaptions {
    std::function<QString()> translationCaption;
    std::function<void(int libraryCode, const QString& caption)> setSharedCaption;

    // "Arabic" for 1, the translation caption for 2, "Transliteration" for 3.
    QString captionOf(int libraryCode) const;
    // Overwrites the shared captions of 1 and 3 with "Arabic" and "Transliteration".
    void resetSharedCaptions() const;
};
