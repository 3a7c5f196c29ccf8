#include "ReadingView.h"

#include "AppContext.h"
#include "BrowserView.h"
#include "PageZoom.h"
#include "QuranReader.h"
#include "StoredZoom.h"
#include "VerseContextMenu.h"
#include "VersePrintGroups.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace {

constexpr int kZoomMessageMs = 2000;

} // namespace

ReadingView::ReadingView(AppContext& context, QuranReader& reader, QStatusBar* statusBar,
                         QObject* parent)
    : QObject(parent), context_(context), reader_(reader) {
    BrowserView* view = reader_.view();
    zoom_ = StoredZoom::attach(view, context_.settings());
    connect(zoom_, &PageZoom::zoomed, this, &ReadingView::showZoom);
    menu_ = new VerseContextMenu(view);
    menu_->pointedAt = [this](const VersePlace& verse) { setCurrentVerse(verse); };
    view->setPrintScripts(VersePrintGroups::groupScript(), VersePrintGroups::ungroupScript());
    // The page has no caption beside it: a screen reader names it by its title.
    connect(view, &QWebEngineView::titleChanged, view, &QWidget::setAccessibleName);
    if (statusBar)
        addZoomPanel(statusBar);

    connect(&reader_, &QuranReader::verseShown, this, [this](int sura, int verse) {
        setCurrentVerse(VersePlace{sura, verse});
    });
    connect(&reader_, &QuranReader::suraShown, this, [this](int sura) {
        if (current_ && current_->sura != sura)
            setCurrentVerse(std::nullopt);
    });
    connect(&reader_, &QuranReader::startPageShown, this,
            [this] { setCurrentVerse(std::nullopt); });
}

void ReadingView::addZoomPanel(QStatusBar* statusBar) {
    // The zoom shows at the right while it changes; a status message would
    // hide the other panels meanwhile.
    zoomPanel_ = new QLabel(statusBar);
    zoomPanel_->hide();
    statusBar->addPermanentWidget(zoomPanel_);
    zoomShown_ = new QTimer(this);
    zoomShown_->setSingleShot(true);
    zoomShown_->setInterval(kZoomMessageMs);
    connect(zoomShown_, &QTimer::timeout, zoomPanel_, &QWidget::hide);
}

void ReadingView::showZoom(int percent) {
    if (!zoomPanel_)
        return;
    zoomPanel_->setText(QStringLiteral("Zoom %1%").arg(percent));
    zoomPanel_->show();
    zoomShown_->start();
}

void ReadingView::setCurrentVerse(const std::optional<VersePlace>& verse) {
    if (verse == current_)
        return;
    current_ = verse;
    emit currentVerseChanged();
}

bool ReadingView::goToVerse(const VersePlace& verse) {
    return reader_.goToVerse(verse.sura, verse.verse);
}

void ReadingView::addVerseAction(const QString& caption, VerseAction action) {
    menu_->addVerseAction(caption, std::move(action));
}

std::optional<VersePlace> ReadingView::placeToOpen() const {
    return ReadingPlace::toOpen(context_.settings(),
                                [this](int sura) { return reader_.verseCount(sura); });
}

void ReadingView::keepPlace() {
    if (ReadingPlace::isKept(context_.settings()))
        ReadingPlace::keep(context_.settings(), reader_.placeOnScreen());
}
