#include "BookmarkCommands.h"

#include "AppContext.h"
#include "BookmarksLog.h"
#include "BrowserView.h"
#include "QuranReader.h"
#include "VerseMark.h"

#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

namespace {

const QString kTitle = QStringLiteral("Miravel");
// The filter of the favourites dialogs: the pattern "*.fav" shown as "{*.fav}".
const QString kFavouritesFilter = QStringLiteral("{*.fav} (*.fav)");
const QString kImported = QStringLiteral("Booksmarks have been successfully imported ... ");
const QString kLineBreak = QStringLiteral("\r\n");

enum Mode : qint16 { AddMode = 1, GoToMode = 3 };

} // namespace

BookmarkCommands::BookmarkCommands(AppContext& context, QuranReader& reader, QWidget* mainWindow)
    : QObject(mainWindow), context_(context), reader_(reader), mainWindow_(mainWindow),
      bookmarks_([this](int sura) { return suraTreeText(sura); }, context.settings()),
      favourites_(context.settings()) {
    chooseImportFile = [this] { return chooseFile(false); };
    chooseExportFile = [this] { return chooseFile(true); };
    showImported = [this](const QString& text) {
        QMessageBox::information(mainWindow_, kTitle, text, QMessageBox::Ok);
    };
    askReplace = [this](const QString& question) {
        return QMessageBox::question(mainWindow_, kTitle, question,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    showDialogMessage = [](QWidget* parent, const QString& text) {
        QMessageBox(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, parent).exec();
    };
    showFailure = [this](const QString& text) {
        QMessageBox::warning(mainWindow_, kTitle, text, QMessageBox::Ok);
    };
}

void BookmarkCommands::attachMenu(CommandBars* bars) {
    BookmarkMenu& menu = bookmarks_.menu();
    menu.attach(bars);
    menu.EnumBookMarks(bookmarks_.store());
    // Another copy of the program may have changed the bookmarks.
    if (CommandBar* popup = menu.popup(); popup && qobject_cast<QMenu*>(popup->widget()))
        connect(static_cast<QMenu*>(popup->widget()), &QMenu::aboutToShow, this,
                [this] { bookmarks_.menu().refresh(bookmarks_.store()); });
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
    services.showMessage = [this](QWidget* parent, const QString& text) {
        if (showDialogMessage)
            showDialogMessage(parent, text);
    };
    return services;
}

void BookmarkCommands::showDialog(qint16 mode) {
    if (!dialog_)
        dialog_ = new frmBookMarks(bookmarks_, dialogServices(), mainWindow_);
    dialog_->setFlag(mode);
    if (mode == AddMode && currentVerse) {
        if (const auto verse = currentVerse())
            dialog_->chooseVerse(verse->sura, verse->verse);
    }
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
    if (fileName.isEmpty())
        return;
    QString why;
    const std::optional<BookmarkSet> imported = Favourites::readFile(fileName, &why);
    if (!imported) {
        showFailure(QStringLiteral("The bookmarks were not imported: %1.").arg(why));
        return;
    }
    const qsizetype storedCount = favourites_.stored().value_or(BookmarkSet{}).order.size();
    if (storedCount > 0 &&
        !askReplace(QStringLiteral("Replace the %1 stored bookmarks by the %2 bookmarks of %3?")
                        .arg(storedCount)
                        .arg(imported->order.size())
                        .arg(fileName) +
                    kLineBreak +
                    QStringLiteral("The stored bookmarks are first saved in a favourites file "
                                   "beside the settings file.")))
        return;
    const std::optional<Favourites::Replaced> replaced = favourites_.replaceWith(*imported, &why);
    if (!replaced) {
        showFailure(QStringLiteral("The bookmarks were not imported: %1.").arg(why));
        return;
    }
    // The menu and an open list follow at once, so that nothing acts on a
    // bookmark that is gone.
    bookmarks_.menu().rebuild(bookmarks_.store());
    if (dialog_)
        dialog_->bookmarksChanged();
    QString text = kImported;
    if (!replaced->keptIn.isEmpty())
        text += kLineBreak + QStringLiteral("The %1 bookmarks they replaced were saved in %2; "
                                            "import that file to bring them back.")
                                 .arg(replaced->count)
                                 .arg(QDir::toNativeSeparators(replaced->keptIn));
    showImported(text);
}

void BookmarkCommands::exportFavourites() {
    const QString fileName = chooseExportFile();
    if (fileName.isEmpty())
        return;
    QString why;
    if (!favourites_.exportTo(fileName, &why))
        showFailure(QStringLiteral("The bookmarks were not exported: %1.").arg(why));
}
