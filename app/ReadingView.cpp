#include "ReadingView.h"

#include "AppContext.h"
#include "BrowserView.h"
#include "CurrentVerseMark.h"
#include "PagePlace.h"
#include "PageZoom.h"
#include "QuietSeparators.h"
#include "QuranReader.h"
#include "StoredZoom.h"
#include "VerseContextMenu.h"
#include "VersePrintGroups.h"

#include <QLabel>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kZoomMessageMs = 2000;

// The label under every verse of a sura page.
const QString kVerseLabels = QStringLiteral("p.A1");

} // namespace

// Alt with the arrows: the arrows alone, Page Up and Down, Space, Home and
// End keep scrolling the page.
const QKeySequence ReadingView::kNextVerseKey(Qt::ALT | Qt::Key_Down);
const QKeySequence ReadingView::kPreviousVerseKey(Qt::ALT | Qt::Key_Up);
const QList<QKeySequence> ReadingView::kVerseMenuKeys{QKeySequence(Qt::Key_Menu),
                                                      QKeySequence(Qt::SHIFT | Qt::Key_F10)};

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
    addVerseKeys();

    connect(&reader_, &QuranReader::verseShown, this, [this](int sura, int verse) {
        setCurrentVerse(VersePlace{sura, verse});
        // A page composed afresh for the verse that was current already.
        markCurrentVerse();
    });
    connect(this, &ReadingView::currentVerseChanged, this, &ReadingView::markCurrentVerse);
    connect(&reader_, &QuranReader::suraShown, this, [this](int sura) {
        reader_.view()->postScript(QuietSeparators::script());
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

void ReadingView::addVerseKeys() {
    BrowserView* view = reader_.view();
    // On the view and the engine's widget inside it: the keys work while
    // the page has the focus, and leave the tree's and the menus' alone.
    const auto add = [this, view](const QKeySequence& key, auto act) {
        auto* shortcut = new QShortcut(key, view);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, act);
    };
    add(kNextVerseKey, [this] { stepVerse(+1); });
    add(kPreviousVerseKey, [this] { stepVerse(-1); });
    for (const QKeySequence& key : kVerseMenuKeys)
        add(key, [this] { openVerseMenu(); });
    add(VerseContextMenu::kCopyVerseKey, [this] { copyCurrentVerse(); });
}

void ReadingView::stepVerse(int step) {
    std::optional<VersePlace> target = current_;
    if (target)
        target->verse =
            std::clamp(target->verse + step, 1, std::max(1, reader_.verseCount(target->sura)));
    else
        target = reader_.placeOnScreen();
    if (!target)
        return;
    if (target == current_)
        markCurrentVerse(); // the first or last verse: focused and marked again
    else
        setCurrentVerse(target);
    PagePlace::scrollBlockToTop(*reader_.view(), kVerseLabels, target->label());
}

std::optional<QPoint> ReadingView::currentLabelPoint() {
    if (!current_)
        return std::nullopt;
    BrowserView* view = reader_.view();
    const auto answer = view->runScript(CurrentVerseMark::labelPointScript(current_->label()));
    if (!answer || answer->toList().size() != 2)
        return std::nullopt;
    // The page measures in its own pixels, which the zoom enlarges.
    const double zoom = view->zoomFactor() > 0 ? view->zoomFactor() : 1.0;
    return QPoint(qRound(answer->toList().at(0).toDouble() * zoom),
                  qRound(answer->toList().at(1).toDouble() * zoom));
}

void ReadingView::openVerseMenu() {
    if (const auto point = currentLabelPoint())
        menu_->popUp(*point);
}

bool ReadingView::copyCurrentVerse() {
    const auto point = currentLabelPoint();
    return point && menu_->copyVerseAt(*point);
}

void ReadingView::markCurrentVerse() {
    if (current_)
        reader_.view()->postScript(CurrentVerseMark::markScript(current_->label()));
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
