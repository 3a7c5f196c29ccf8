#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class BookMarks;
class QComboBox;
class QLabel;
class QPushButton;
class ucGradContainer;

// What the bookmark dialog reads and where it shows a verse.
struct BookmarkDialogServices {
    // GUI string n.
    std::function<QString(int number)> guiText;
    // The texts of the sura tree's entries from the third to the last.
    std::function<QStringList()> suraEntries;
    // The verses of a sura in text library 1, by its text resource number.
    std::function<int(int resourceId)> verseCount;
    // Shows the verse in the main window (the reader's go-to-verse).
    std::function<bool(int sura, int verse)> goToVerse;
    // A message box with an OK button.
    std::function<void(QWidget* parent, const QString& text)> showMessage;
};

// The bookmark dialog: add a bookmark for a chosen verse (mode 1), delete a
// stored bookmark (mode 2), go to a chosen verse (mode 3), go to a stored
// bookmark (mode 4, for bookmarks the Bookmarks menu has no room for).  It
// acts only on what it shows: a bookmark that changed since it was listed
// is not deleted.
class frmBookMarks : public QDialog {
    Q_OBJECT
public:
    frmBookMarks(BookMarks& bookmarks, BookmarkDialogServices services, QWidget* parent = nullptr);

    // The mode; setting it rebuilds the lists and captions for that mode, so
    // that the lists always belong to the mode OK acts on.
    qint16 Flag() const { return flag_; }
    void setFlag(qint16 mode);

    void FillSuras();
    void FillAyat(int resourceId);
    void FillBookCombo();
    // The stored bookmarks changed (an import): a list of them is made again.
    void bookmarksChanged();
    void GoToVerse(int sura, int verse);
    // Chooses the verse in the lists of the add and go-to modes; a verse
    // they do not list leaves the choice as it was.
    void chooseVerse(int sura, int verse);

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void Form_Load();
    void cmbBookMarks_Click();
    void deleteChosen();
    void addChosen(int sura, int verse);
    void place(QWidget* widget, int left, int top, int width, int height);

    BookMarks& bookmarks_;
    BookmarkDialogServices services_;
    qint16 flag_ = 0;

    ucGradContainer* ucGradContainer1;
    QLabel* lbl_Example;
    QComboBox* cmbBookMarks;
    QComboBox* cmbAyat;
    QPushButton* cmdCancel;
    QPushButton* cmdOK;
};
