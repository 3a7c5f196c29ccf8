#include "PageRecovery.h"

#include "AppLog.h"
#include "BrowserView.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "TopVerseWatch.h"

#include <QAccessible>
#include <QTimer>

namespace {

constexpr int kNoteMs = 10000;

} // namespace

PageRecovery::PageRecovery(ReadingView& reading, QStatusBar* statusBar, QObject* parent)
    : QObject(parent), reading_(reading), statusBar_(statusBar) {
    clock_.start();
    QuranReader& reader = reading_.reader();
    BrowserView* view = reader.view();
    // The renderer's last answers are all there is once it has ended: the
    // place on screen is followed as the reader scrolls, not asked for then.
    watch_ = new TopVerseWatch(view, this);
    connect(watch_, &TopVerseWatch::topLabelChanged, this, &PageRecovery::noteTopLabel);
    connect(&reader, &QuranReader::suraShown, this, [this](int sura) {
        if (!place_ || place_->sura != sura)
            place_ = VersePlace{sura, 1};
        watch_->refresh();
    });
    connect(&reader, &QuranReader::verseShown, this, [this](int sura, int verse) {
        place_ = VersePlace{sura, verse};
    });
    connect(&reader, &QuranReader::startPageShown, this, [this] { place_.reset(); });
    connect(&reader, &QuranReader::pageShown, this, [this] {
        if (pending_)
            QTimer::singleShot(0, this, &PageRecovery::showAgainWhenIdle);
    });
    connect(view, &BrowserView::rendererLost, this, &PageRecovery::onRendererLost);
    // A page loaded by the reader after giving up takes the note away.
    connect(view, &QWebEngineView::loadFinished, this, [this] {
        if (statusBar_ && statusBar_->currentMessage() == gaveUpNote())
            statusBar_->clearMessage();
    });
}

QString PageRecovery::shownAgainNote() {
    return QStringLiteral("The page stopped unexpectedly and was shown again.");
}

QString PageRecovery::gaveUpNote() {
    return QStringLiteral("The page keeps stopping unexpectedly. Choose a sura to show it again.");
}

void PageRecovery::noteTopLabel(const QString& label) {
    // A page being composed has no labels yet: its sura is noted when it
    // is shown.
    if (label.isEmpty() && reading_.reader().isComposing())
        return;
    place_ = VersePlace::fromLabel(label);
}

void PageRecovery::onRendererLost() {
    if (pending_)
        return;
    if (!budget_.take(clock_.elapsed())) {
        qCWarning(lcApp) << "the page's renderer keeps ending; the page is not shown again until"
                         << "the reader chooses one";
        tell(gaveUpNote(), 0);
        emit gaveUp();
        return;
    }
    pending_ = true;
    // Not from inside the engine's signal.
    QTimer::singleShot(0, this, &PageRecovery::showAgainWhenIdle);
}

void PageRecovery::showAgainWhenIdle() {
    if (!pending_ || reading_.reader().isComposing())
        return; // the composition's end (pageShown) calls again
    pending_ = false;
    // A page loaded since (the reader chose one, or the composition loaded
    // its page) is whole on its new renderer.
    if (reading_.reader().view() && reading_.reader().view()->hasLostRenderer())
        showAgain();
}

void PageRecovery::showAgain() {
    QuranReader& reader = reading_.reader();
    BrowserView* view = reader.view();
    if (!view)
        return;
    if (const auto place = place_) {
        const auto current = reading_.currentVerse();
        reader.showPlace(*place);
        if (current && current->sura == place->sura)
            reading_.setCurrentVerse(current);
    } else if (!view->url().isEmpty()) {
        // Loaded as a new address: a lost renderer takes that to a new one.
        view->Navigate(view->url().toString(QUrl::FullyEncoded));
        view->waitForLoad();
    } else {
        reader.showStartPage();
    }
    tell(shownAgainNote(), kNoteMs);
    emit pageShownAgain();
}

void PageRecovery::tell(const QString& text, int timeoutMs) {
    if (!statusBar_)
        return;
    // Said to a screen reader too, whose focus is elsewhere.
    statusBar_->showMessage(text, timeoutMs);
    QAccessibleEvent told(statusBar_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&told);
}
