#include "QuranReader.h"

#include "AppContext.h"
#include "AppLog.h"
#include "BrowserComposerView.h"
#include "BrowserView.h"
#include "LibraryLayout.h"
#include "PagePlace.h"
#include "ResReader.h"
#include "SuraCatalogue.h"
#include "SuraTree.h"

#include <QCoreApplication>
#include <QTreeWidgetItem>

namespace {

void yieldToEvents() {
    QCoreApplication::processEvents();
}

QString suraKey(int sura) {
    return QStringLiteral("c%1").arg(sura);
}

// The label under every verse of a sura page, as the composer writes it.
const QString kVerseLabels = QStringLiteral("p.A1");

} // namespace

QuranReader::QuranReader(AppContext& context, BrowserView* view, SuraTree* tree, QObject* parent)
    : QObject(parent), context_(context), view_(view), tree_(tree) {
    connect(view, &BrowserView::linkClicked, this, &QuranReader::onLinkClicked);
}

QString QuranReader::pageAddress(const QString& name) {
    return QStringLiteral("res://") + ResReader::programDirectory() +
           QStringLiteral("\\miravel.EXE/HTML/") + name;
}

QString QuranReader::selectedEntryKey() const {
    return tree_ ? SuraTree::keyOf(tree_->selectedNode()) : QString();
}

int QuranReader::selectedSura() const {
    const QString key = selectedEntryKey();
    if (!key.startsWith(QLatin1Char('c')))
        return 0;
    const int sura = key.mid(1).toInt();
    return sura >= 1 && sura <= LibraryLayout::kSuraCount ? sura : 0;
}

bool QuranReader::showSura(int sura) {
    if (LibraryLayout::suraOfVerseTextId(LibraryLayout::verseTextId(sura)) == 0)
        return false;
    if (!DispalyHTML(LibraryLayout::verseTextId(sura)))
        return false;
    // Only a page placed whole names its sura: a composition stopped by a
    // newer one must not overwrite the newer sura's status text.
    emit suraShown(sura, context_.catalogue().treeText(sura));
    return true;
}

void QuranReader::showRootPage() {
    cancelDisplay_ = true;
    const QString start = pageAddress(QStringLiteral("MIRAVEL.HTML"));
    yieldToEvents();
    if (view_)
        view_->Navigate(start);
    yieldToEvents();
    if (view_)
        view_->Navigate(start);
    emit startPageShown();
}

bool QuranReader::DispalyHTML(int resourceId) {
    if (!view_)
        return false;
    BrowserComposerView view(view_);
    return composeWith(resourceId, view, &yieldToEvents);
}

bool QuranReader::composeWith(int resourceId, ComposerView& view,
                              const std::function<void()>& yield) {
    const AppSettings& settings = context_.settings().values();
    ComposerHost host;
    host.orderString = settings.OrderString;
    host.arabicLibraryFile = settings.ArabicLibraryFile;
    host.translationLibraryFile = settings.TranslationLibraryFile;
    host.transliterationLibraryFile = settings.TransliterationLibraryFile;
    host.pageAddress = &QuranReader::pageAddress;
    host.library = [this](const QString& file) { return context_.library(file); };
    host.treeNodeText = [this](int sura) { return context_.catalogue().treeText(sura); };
    host.englishName = [this](int sura) { return context_.catalogue().englishName(sura); };
    host.selectSuraNode = [this](int sura) {
        if (tree_)
            tree_->selectNode(tree_->nodeByKey(suraKey(sura)));
    };
    host.focusTree = [this] {
        if (tree_)
            tree_->setFocus();
    };
    host.yield = yield;
    host.cancelDisplay = &cancelDisplay_;
    host.verseEndMarks = context_.settings().text(Setting::VerseEndMarks) != QLatin1String("0");
    ++composing_;
    const bool whole = composer_.DispalyHTML(resourceId, host, view);
    --composing_;
    emit pageShown();
    return whole;
}

void QuranReader::showStartPage() {
    cancelDisplay_ = true;
    yieldToEvents();
    if (view_)
        view_->Navigate(pageAddress(QStringLiteral("MIRAVEL.HTML")));
    yieldToEvents();
    if (tree_)
        tree_->selectNode(tree_->node(1));
    emit startPageShown();
}

void QuranReader::showOwnPage(BrowserView* view, const QString& pageName,
                              const QString& bodyMarkup) {
    if (!view)
        return;
    view->Navigate(pageAddress(pageName));
    view->waitForLoad();
    view->setBodyInnerHtml(bodyMarkup);
}

bool QuranReader::goToVerse(int sura, int verse) {
    cancelDisplay_ = false;
    if (!showSura(sura) || !view_)
        return false;
    TextRange range = view_->createTextRange();
    if (!range.findWholeText(QStringLiteral("%1 : %2").arg(sura).arg(verse))) {
        qCInfo(lcApp) << "verse label not on the page:" << sura << verse;
        return false;
    }
    range.Select();
    // The label stands under its verse: the verse itself starts at the top,
    // below the room that parts it from the verse before.
    PagePlace::scrollBlockToTop(*view_, kVerseLabels, VersePlace{sura, verse}.label());
    emit verseShown(sura, verse);
    return true;
}

bool QuranReader::showPlace(const VersePlace& place) {
    cancelDisplay_ = false;
    if (!showSura(place.sura) || !view_)
        return false;
    if (!PagePlace::scrollBlockToTop(*view_, kVerseLabels, place.label())) {
        qCInfo(lcApp) << "verse label not on the page:" << place.sura << place.verse;
        return false;
    }
    emit verseShown(place.sura, place.verse);
    return true;
}

std::optional<VersePlace> QuranReader::placeOnScreen() const {
    if (!view_)
        return std::nullopt;
    const auto label = PagePlace::firstMarkerFromTop(*view_, kVerseLabels);
    return label ? VersePlace::fromLabel(*label) : std::nullopt;
}

int QuranReader::verseCount(int sura) const {
    return context_.catalogue().verseCount(sura);
}

void QuranReader::onLinkClicked(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("res")) {
        if (view_)
            view_->Navigate(url.toString());
        return;
    }
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        if (context_.openExternal && !context_.openExternal(url.toString()))
            qCInfo(lcApp) << "the desktop shell did not open" << url.toString();
        return;
    }
    qCInfo(lcApp) << "link not followed:" << url.toString();
}
