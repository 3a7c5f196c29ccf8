#pragma once

#include <QString>
#include <QStringList>

// Where a value lives: in the user's file, completed from the system-wide
// file where an installer puts its values; or in the user's file alone, for
// what belongs to the reader (the bookmarks), so that a key replaced whole is
// never mixed with an installer's values.
enum class SettingScope { UserOrSystem, UserOnly };

// One stored value: its section under the program's key, its name and the
// text it reads as when it is missing.  A section with "%1" is numbered (a
// culture, a bookmark): the number fills it in.
struct SettingKey {
    const char* section;
    const char* valueName;
    const char* defaultText;
    SettingScope scope = SettingScope::UserOrSystem;

    QString sectionFor(int number) const;
    // The key at the top of the section ("BookMarks" for "BookMarks\\%1").
    QLatin1String topSection() const;
};

// Every value the program stores.
namespace Setting {

// The display and appearance settings ("Settings").
inline constexpr SettingKey OrderString{"Settings", "OrderString", "1/2"};
inline constexpr SettingKey Skin{"Settings", "Skin", "2"};
inline constexpr SettingKey Angle{"Settings", "Angle", "90"};
inline constexpr SettingKey Culture{"Settings", "Culture", "1"};
// The gradient colours as the settings dialog reads them...
inline constexpr SettingKey BK1{"Settings", "BK1", "16443612"};
inline constexpr SettingKey BK2{"Settings", "BK2", "16577775"};
// ...and as start-up reads them, with defaults written as hexadecimal literals.
inline constexpr SettingKey StartUpBK1{"Settings", "bk1", "&H00FEBE9E&"};
inline constexpr SettingKey StartUpBK2{"Settings", "BK2", "&H00FADAC4&"};

// One interface language ("Cultures\<n>"), read but never written.  The
// default of "dll" is the program file itself (see DefaultArabicLibraryFile).
inline constexpr SettingKey CultureName{"Cultures\\%1", "Name", ""};
inline constexpr SettingKey CultureArabicLibrary{"Cultures\\%1", "dll", ""};
inline constexpr SettingKey CultureTranslationLibrary{"Cultures\\%1", "dll2", "Etx2.dll"};
inline constexpr SettingKey CultureTransliterationLibrary{"Cultures\\%1", "dll3", "Etx3.dll"};

// The bookmarks: the list of numbers, and the mark and sura of each.  The
// reader's own: read and written in the user's file only.
inline constexpr SettingKey BookMarkList{"BookMarks", "BookMarks", "", SettingScope::UserOnly};
inline constexpr SettingKey BookMarkName{"BookMarks\\%1", "Name", "", SettingScope::UserOnly};

// The reading view's own values.
inline constexpr SettingKey Zoom{"Settings", "Zoom", "100"};
// "Continue where I left off" (1: on), and the sura and the verse at the top
// of the page when the program was closed (0: the start page).
inline constexpr SettingKey ContinueReading{"Settings", "ContinueReading", "0"};
inline constexpr SettingKey LastSura{"Settings", "LastSura", "0"};
inline constexpr SettingKey LastVerse{"Settings", "LastVerse", "0"};
// The reading theme of the pages: "Day", "Sepia" or "Night".
inline constexpr SettingKey Theme{"Settings", "Theme", "Day"};
// The script of the program's own Arabic text: "Uthmani" (the printed
// mushaf's) or "Simple".  A settings file from before the choice keeps the
// Simple script its reader knows; a new reader starts on Uthmani.
inline constexpr SettingKey ArabicScript{"Settings", "ArabicScript", "Simple"};
// Each verse's Arabic ends with the end-of-verse sign and its number (1: on).
inline constexpr SettingKey VerseEndMarks{"Settings", "VerseEndMarks", "1"};

// The recitation: the folders of audio files (a reciter each, numbered from
// 1, the list ending at the first without a path), the chosen one (0: none),
// and how it is played.  A range is stored as its marks ("2:1").
inline constexpr SettingKey RecitationFolderName{"Recitation\\Folders\\%1", "Name", ""};
inline constexpr SettingKey RecitationFolderPath{"Recitation\\Folders\\%1", "Path", ""};
inline constexpr SettingKey RecitationChosen{"Recitation", "Chosen", "0"};
inline constexpr SettingKey RecitationRepeats{"Recitation", "Repeats", "1"};
inline constexpr SettingKey RecitationRangeOn{"Recitation", "RangeOn", "0"};
inline constexpr SettingKey RecitationRangeFrom{"Recitation", "RangeFrom", "1:1"};
inline constexpr SettingKey RecitationRangeTo{"Recitation", "RangeTo", "1:7"};
inline constexpr SettingKey RecitationRangeTimes{"Recitation", "RangeTimes", "1"};
inline constexpr SettingKey RecitationPause{"Recitation", "PauseSeconds", "0"};
inline constexpr SettingKey RecitationNextSura{"Recitation", "NextSura", "0"};

// Whether a key path below the program's key ("BookMarks", "3") lies in a
// section of a user-only key.  Names match without regard to case.
bool isUserOnly(const QStringList& keyPath);

} // namespace Setting
