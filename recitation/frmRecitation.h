#pragma once

#include "RecitationFolders.h"
#include "RecitationOptions.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class Settings;

// The recitation settings: the recitation folders (a name and a path each,
// the selected one is the one played, with how many of the Qur'an's verses
// it holds) and how a recitation is played for learning by heart.  OK stores
// them; nothing is copied from the folders.
class frmRecitation : public QDialog {
    Q_OBJECT
public:
    using VerseCount = std::function<int(int sura)>;

    frmRecitation(Settings& settings, VerseCount verseCount, QWidget* parent = nullptr);

    QListWidget* lstFolders = nullptr;
    QPushButton* cmdAddFolder = nullptr;
    QPushButton* cmdRemoveFolder = nullptr;
    QLineEdit* txtName = nullptr;
    QLabel* lblPresent = nullptr;
    QSpinBox* spnRepeats = nullptr;
    QGroupBox* grpRange = nullptr;
    QSpinBox* spnFromSura = nullptr;
    QSpinBox* spnFromVerse = nullptr;
    QSpinBox* spnToSura = nullptr;
    QSpinBox* spnToVerse = nullptr;
    QSpinBox* spnRangeTimes = nullptr;
    QSpinBox* spnPause = nullptr;
    QCheckBox* chkNextSura = nullptr;
    QPushButton* cmdOK = nullptr;

    // Adds a folder, named after its last part, and chooses it (what "Add
    // folder..." does with the folder picked).
    void addFolder(const QString& path);
    // Stores the folders, the choice and the options (OK).
    void store();

    QList<NamedFolder> folders() const { return folders_; }
    RecitationOptions options() const;

private:
    void buildWindow();
    void showFolders(int chosen);
    void folderChosen(int row);
    void removeFolder();
    QSpinBox* spinBox(int low, int high, const QString& name);

    Settings& settings_;
    VerseCount verseCount_;
    QList<NamedFolder> folders_;
};
