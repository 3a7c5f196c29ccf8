#include "BookmarkCommands.h"

#include "AppContext.h"
#include "BookmarksLog.h"
#include "BrowserView.h"
#include "QuranReader.h"
#include "VerseMark.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

const QString kTitle = QStringLiteral("Miravel");
// The filter of the favourites dialogs: the pattern "*.fav" shown as "{*.fav}".
const QString kFavouritesFilter = QStringLiteral("{*.fav} (*.fav)");
const QString kImported = QStringLiteral("Booksmarks have been successfully imported ... ") +
                          QStringLiteral("\r\n") +
                          QStringLiteral("Please restart Miravel for changes to take effect");

enum Mode : qint16 { GoToMode = 3 };

} // namespace

BookmarkCommands::BookmarkCommands(AppContext& context, QuranReader& reader, QWidget* mainWindow)
    : QObject(mainWindow), context_(context), reader_(reader), mainWindow_(mainWindow),
      bookmarks_([this](int sura) { return suraTreeText(sura); }, context.settings().application()),
      favourites_(context.settings().application()) {
    chooseImportFile = [this] { return chooseFile(false); };
    chooseExportFile = [this] { return chooseFile(true); };
    showImported = [this](const QString& text) {
        QMessageBox::information(mainWindow_, kTitle, text, QMessageBox::Ok);
    };
}

std::optional<QString> BookmarkCommands::suraTreeText(int sura) const {
    const QString text = context_.catalogue().treeText(sura);
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

QStringList BookmarkCommands::suraEntries() const {
    return context_.catalogue().treeTexts();
}

BookmarkDialogServices BookmarkCommands::dialogServices() {
    BookmarkDialogServices services;
    services.guiText = [this](int number) { return context_.strings().text(number); };
    services.suraEntries = [this] { return suraEntries(); };
    services.verseCount = [this](int resourceId) {
        return context_.catalogue().verseCount(resourceId - 100);
    };
    services.goToVerse = [this](int sura, int verse) { return reader_.goToVerse(sura, verse); };
    services.showMessage = [](QWidget* parent, const QString& text) {
        QMessageBox(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, parent).exec();
    };
    return services;
}

void BookmarkCommands::showDialog(qint16 mode) {
    if (!dialog_)
        dialog_ = new frmBookMarks(bookmarks_, dialogServices(), mainWindow_);
    dialog_->setFlag(mode);
    if (mode != GoToMode) {
        dialog_->show();
        dialog_->raise();
        dialog_->activateWindow();
        return;
    }
    // A dialog shown without waiting becomes modal only when shown again.
    dialog_->hide();
    dialog_->exec();
}

void BookmarkCommands::goToEntry(const QString& caption) {
    const std::optional<VerseMark> mark = VerseMark::fromCaption(caption);
    if (!mark) {
        qCInfo(lcBookmarks) << "a bookmark entry without a mark:" << caption;
        return;
    }
    reader_.goToVerse(mark->sura, mark->verse);
}

QString BookmarkCommands::chooseFile(bool forSaving) const {
    QFileDialog chooser(mainWindow_);
    chooser.setNameFilter(kFavouritesFilter);
    if (forSaving) {
        chooser.setAcceptMode(QFileDialog::AcceptSave);
        chooser.setDefaultSuffix(QStringLiteral("fav"));
    } else {
        chooser.setFileMode(QFileDialog::ExistingFile);
    }
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return {};
    return chooser.selectedFiles().first();
}

void BookmarkCommands::importFavourites() {
    const QString fileName = chooseImportFile();
    if (fileName.isEmpty() || !favourites_.importFrom(fileName))
        return;
    // The menu follows at once, so that no entry of a bookmark that is gone
    // shares its identifier with a new one.
    bookmarks_.menu().rebuild(bookmarks_.store());
    showImported(kImported);
}

void BookmarkCommands::exportFavourites() {
    const QString fileName = chooseExportFile();
    if (!fileName.isEmpty())
        favourites_.exportTo(fileName);
}
