#pragma once

#include "BookMarks.h"
#include "Favourites.h"
#include "frmBookMarks.h"
#include "ReadingPlace.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class AppContext;
class QuranReader;

// The bookmark commands of the main window: the one bookmark dialog, the
// Bookmarks menu entries and the favourites files.  Lives as long as the
// main window it belongs to.
class BookmarkCommands : public QObject {
    Q_OBJECT
public:
    BookmarkCommands(AppContext& context, QuranReader& reader, QWidget* mainWindow);

    BookMarks& bookmarks() { return bookmarks_; }
    frmBookMarks* dialog() const { return dialog_; }

    // Shows the dialog in `mode` (1 add, 2 delete, 3 go to a verse, 4 go to
    // a bookmark); an open dialog takes the new mode and rebuilds its lists.
    // Mode 3 waits.
    void showDialog(qint16 mode);
    // The action of a Bookmarks menu entry: the verse of the caption's mark.
    // A caption that begins with no mark leads nowhere.
    void goToEntry(const QString& caption);
    void importFavourites();
    void exportFavourites();
    // Joins the Bookmarks popup of newly built menus: its entries, and a
    // fresh look at the store whenever it opens.
    void attachMenu(CommandBars* bars);

    // How the favourites commands choose their file; tests answer instead.
    std::function<QString()> chooseImportFile;
    std::function<QString()> chooseExportFile;
    // Shows the import's success message; tests record it instead.
    std::function<void(const QString& text)> showImported;
    // Asks whether the import may replace the stored bookmarks (Yes/No).
    std::function<bool(const QString& question)> askReplace;
    // Tells the reader why an import or export failed.
    std::function<void(const QString& text)> showFailure;
    // The verse being read, which the add dialog opens on; none: sura 1, verse 1.
    std::function<std::optional<VersePlace>()> currentVerse;
    // The bookmark dialog's message box (OK only).
    std::function<void(QWidget* parent, const QString& text)> showDialogMessage;

private:
    BookmarkDialogServices dialogServices();
    std::optional<QString> suraTreeText(int sura) const;
    QStringList suraEntries() const;
    QString chooseFile(bool forSaving) const;

    AppContext& context_;
    QuranReader& reader_;
    QPointer<QWidget> mainWindow_;
    BookMarks bookmarks_;
    Favourites favourites_;
    QPointer<frmBookMarks> dialog_;
};
