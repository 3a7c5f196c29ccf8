#include "frmBookMarks.h"

#include "BookMarks.h"
#include "GuiStrings.h"
#include "ucGradContainer.h"
#include "VerseMark.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 6285;
constexpr int kClientHeight = 2295;
constexpr int kSuraIdBase = 100;

int px(int twips) {
    return qRound(double(twips) / kTwipsPerPixel);
}

enum Mode : qint16 { AddMode = 1, DeleteMode = 2, GoToMode = 3, GoToBookmarkMode = 4 };

// Hint, caption of the dialog and of OK, by mode: GUI string numbers, or the
// program's own words for the mode the libraries have no captions for.
struct ModeTexts {
    int hint;
    int caption;
};

ModeTexts textsOf(qint16 mode) {
    switch (mode) {
    case AddMode:
        return {236, 210};
    case DeleteMode:
        return {237, 211};
    case GoToBookmarkMode:
        return {0, 0};
    default:
        return {247, 248};
    }
}

const QString kGoToBookmarkHint = QStringLiteral("Choose the bookmark to show:");
const QString kGoToBookmarkCaption = QStringLiteral("Go to Bookmark");
const QString kBookmarkChanged =
    QStringLiteral("This bookmark has been changed or deleted since the list was made. "
                   "The list now shows the stored bookmarks.");
const QString kNotSaved =
    QStringLiteral("The bookmarks could not be saved: the settings file cannot be written.");

bool listsBookmarks(qint16 mode) {
    return mode == DeleteMode || mode == GoToBookmarkMode;
}

QFont storedCaptionFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

} // namespace

frmBookMarks::frmBookMarks(BookMarks& bookmarks, BookmarkDialogServices services, QWidget* parent)
    : QDialog(parent), bookmarks_(bookmarks), services_(std::move(services)) {
    setObjectName(QStringLiteral("frmBookMarks"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(px(kClientWidth), px(kClientHeight));

    ucGradContainer1 = new ucGradContainer(this);
    ucGradContainer1->setObjectName(QStringLiteral("ucGradContainer1"));
    ucGradContainer1->setCaptionFont(storedCaptionFont());
    lbl_Example = new QLabel(ucGradContainer1);
    lbl_Example->setObjectName(QStringLiteral("lbl_Example"));
    cmbBookMarks = new QComboBox(ucGradContainer1);
    cmbBookMarks->setObjectName(QStringLiteral("cmbBookMarks"));
    cmbAyat = new QComboBox(ucGradContainer1);
    cmbAyat->setObjectName(QStringLiteral("cmbAyat"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), ucGradContainer1);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdOK = new QPushButton(QStringLiteral("Ok"), ucGradContainer1);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    place(lbl_Example, 1080, 690, 4335, 285);
    place(cmbBookMarks, 1110, 1020, 4395, 315);
    place(cmbAyat, 4200, 1380, 1305, 315);
    place(cmdCancel, 1080, 1680, 1245, 375);
    place(cmdOK, 2490, 1680, 1605, 375);
    cmdCancel->setAccessibleName(cmdCancel->text());

    connect(cmbBookMarks, &QComboBox::currentIndexChanged, this, &frmBookMarks::cmbBookMarks_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmBookMarks::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmBookMarks::cmdCancel_Click);
}

void frmBookMarks::place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(px(left), px(top), px(width), px(height));
}

void frmBookMarks::setFlag(qint16 mode) {
    flag_ = mode;
    Form_Load();
}

void frmBookMarks::Form_Load() {
    ucGradContainer1->setTheme(3);
    ucGradContainer1->setGeometry(0, 0, width(), height());

    const ModeTexts texts = textsOf(flag_);
    const QString caption = texts.caption ? services_.guiText(texts.caption) : kGoToBookmarkCaption;
    lbl_Example->setText(texts.hint ? services_.guiText(texts.hint) : kGoToBookmarkHint);
    setWindowTitle(caption);
    cmdOK->setText(caption);
    cmdOK->setAccessibleName(GuiStrings::spoken(caption));
    cmbBookMarks->setAccessibleName(GuiStrings::spoken(lbl_Example->text()));
    cmbAyat->setAccessibleName(GuiStrings::spoken(lbl_Example->text()));

    cmbBookMarks->show();
    cmbAyat->setVisible(!listsBookmarks(flag_));
    if (listsBookmarks(flag_))
        FillBookCombo();
    else
        FillSuras();
    ucGradContainer1->setCaption(caption);
}

void frmBookMarks::FillSuras() {
    {
        const QSignalBlocker quiet(cmbBookMarks);
        cmbBookMarks->clear();
        const QStringList entries = services_.suraEntries();
        for (int i = 0; i < entries.size(); ++i) {
            const int sura = i + 1;
            cmbBookMarks->addItem(QStringLiteral("%1 : %2").arg(sura).arg(entries.at(i)),
                                  sura + kSuraIdBase);
        }
        cmbBookMarks->setCurrentIndex(cmbBookMarks->count() > 0 ? 0 : -1);
    }
    cmbBookMarks_Click();
}

void frmBookMarks::cmbBookMarks_Click() {
    if (flag_ != AddMode && flag_ != GoToMode)
        return;
    FillAyat(cmbBookMarks->currentData().toInt());
    cmbAyat->setCurrentIndex(cmbAyat->count() > 0 ? 0 : -1);
}

void frmBookMarks::chooseVerse(int sura, int verse) {
    if (listsBookmarks(flag_))
        return;
    const int suraAt = cmbBookMarks->findData(sura + kSuraIdBase);
    if (suraAt < 0)
        return;
    cmbBookMarks->setCurrentIndex(suraAt);
    cmbBookMarks_Click();
    const int verseAt = cmbAyat->findData(verse);
    if (verseAt >= 0)
        cmbAyat->setCurrentIndex(verseAt);
}

void frmBookMarks::FillAyat(int resourceId) {
    cmbAyat->clear();
    const int verses = resourceId > kSuraIdBase ? services_.verseCount(resourceId) : 0;
    for (int i = 0; i < verses; ++i)
        cmbAyat->addItem(QStringLiteral("Verse/%1").arg(i + 1), i + 1);
}

void frmBookMarks::FillBookCombo() {
    const QSignalBlocker quiet(cmbBookMarks);
    cmbBookMarks->clear();
    for (const BookMarkStore::Entry& entry : bookmarks_.store().entries())
        cmbBookMarks->addItem(entry.name, entry.number);
}

void frmBookMarks::bookmarksChanged() {
    if (listsBookmarks(flag_))
        FillBookCombo();
}

void frmBookMarks::addChosen(int sura, int verse) {
    const QString mark = QStringLiteral("%1:%2").arg(sura).arg(verse);
    // The store refuses a verse bookmarked already (by this or another copy
    // of the program) in the same step that adds; only a refusal asks why.
    if (bookmarks_.AddBookMark(mark) == 0) {
        services_.showMessage(this, bookmarks_.store().Dublicated(mark) ? services_.guiText(249)
                                                                        : kNotSaved);
        return;
    }
    close();
}

void frmBookMarks::deleteChosen() {
    const int index = cmbBookMarks->currentIndex();
    if (index < 0) {
        close();
        return;
    }
    const int number = cmbBookMarks->itemData(index).toInt();
    const QString shown = cmbBookMarks->itemText(index);
    if (bookmarks_.RemoveBookMark(number, shown)) {
        close();
        return;
    }
    if (bookmarks_.store().name(number) == shown) {
        services_.showMessage(this, kNotSaved);
        return;
    }
    services_.showMessage(this, kBookmarkChanged);
    FillBookCombo();
}

void frmBookMarks::GoToVerse(int sura, int verse) {
    if (services_.goToVerse)
        services_.goToVerse(sura, verse);
}

void frmBookMarks::cmdOK_Click() {
    const int sura = cmbBookMarks->currentData().toInt() - kSuraIdBase;
    const int verse = cmbAyat->currentData().toInt();
    switch (flag_) {
    case AddMode:
        if (cmbBookMarks->currentIndex() >= 0 && cmbAyat->currentIndex() >= 0)
            addChosen(sura, verse);
        return;
    case DeleteMode:
        deleteChosen();
        return;
    case GoToBookmarkMode: {
        const std::optional<VerseMark> mark = VerseMark::fromCaption(cmbBookMarks->currentText());
        if (!mark)
            break;
        QPointer<frmBookMarks> self(this);
        GoToVerse(mark->sura, mark->verse);
        if (!self)
            return;
        break;
    }
    case GoToMode: {
        if (cmbBookMarks->currentIndex() < 0 || cmbAyat->currentIndex() < 0)
            break;
        // Composing the page lets events run; the dialog may be gone after.
        QPointer<frmBookMarks> self(this);
        GoToVerse(sura, verse);
        if (!self)
            return;
        break;
    }
    default:
        break;
    }
    close();
}

void frmBookMarks::cmdCancel_Click() {
    close();
}
