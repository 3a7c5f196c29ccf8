#pragma once

#include <functional>
#include <QString>

#include "ItemList.h"
#include "LibraryCaptions.h"

class Settings;

// The fields of the language and appearance settings dialog, which
// LoadSetting fills from the store and SaveSettings writes back. The dialog
// shows and edits one of these; start-up reads into a temporary one.
class SettingsModel {
public:
    explicit SettingsModel(const LibraryCaptions& captions);

    ItemList Skins;   // "Blue " 2, "Sliver " 3, "Gray " 1
    int Angle = 0;    // gradient angle in degrees
    qint32 BK1 = 0;   // first gradient colour, red + 256 * green + 65536 * blue
    qint32 BK2 = 0;   // second gradient colour
    ItemList OffLine; // text libraries available, not displayed (item value: code 1-3)
    ItemList OnLine;  // text libraries displayed, in display order
    ItemList GUILang; // cultures by name (item value: culture number)

    // Open at the verse left off instead of the start page.
    bool ContinueReading = false;

    // Fills both library lists from an order string: the available list gets
    // 1, 2, 3, and each part "1", "2" or "3" moves its library to the end of
    // the displayed list; other parts are skipped. Also resets the shared
    // captions of libraries 1 and 3.
    void FillDisplayLists(const QString& orderString);
    // The codes of the displayed list from top to bottom, joined by "/".
    QString GetOrderString() const;
    // Takes every entry of library `libraryCode` off the available list. By
    // code, not by caption: an empty or shared caption must not take other
    // libraries with it.
    void Removeitem(int libraryCode);

    // ">": moves the selected available library to the end of the displayed
    // list and selects the last available entry left. False without a selection.
    bool AddSelected();
    // "<": moves the selected displayed library to the end of the available
    // list and selects the last displayed entry. The last library displayed
    // stays: false then, and without a selection.
    bool RemoveSelected();
    // An order string can be built only while a library is displayed.
    bool hasDisplayedLibrary() const { return OnLine.count() > 0; }

    // A skin choice takes both colours and the angle from the preview; the
    // angle to the nearest whole degree, halves to the even neighbour.
    void TakeAppearance(qint32 colour1, qint32 colour2, float angle);

private:
    LibraryCaptions m_captions;
};

// Reads the whole settings model: puts the stored values into the model's
// fields.  (The library files and the display order in effect are read from
// the store by Settings::values().)
void LoadSetting(SettingsModel& model, const Settings& settings);

// Writes the model's fields to the "Settings" section.
void SaveSettings(const SettingsModel& model, Settings& settings);

// The start-up read: LoadSetting into a temporary model, then
// setCommandBarStyle(3) (the command-bar control's appearance style).
void ReadAppSettings(const Settings& settings,
                     const std::function<void(int)>& setCommandBarStyle = {});
