#include "BrowserView.h"

#include "BrowserLog.h"
#include "BrowserPage.h"
#include "BrowserProfile.h"
#include "CharacterReferences.h"
#include "PageScript.h"
#include "PrintSpooler.h"
#include "ResAddress.h"
#include "Twips.h"

#include <QDir>
#include <QEventLoop>
#include <QPageLayout>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>
#include <QTimer>
#include <QWebEngineScript>

#include <functional>
#include <memory>

namespace {

constexpr int kPrintCommand = 6;

// One print of the page: keeps the printer (its own, or the caller's) until
// the engine and the spooler are done with it, then sends the page's
// after-print script.  A real printer gets the page as a PDF through the
// system's spooler, so its text stays text; where there is no spooler, or it
// refuses the file, the engine prints pictures of the page.
class PrintJob : public QObject {
public:
    PrintJob(QWebEngineView* view, QWebEnginePage* page, QPrinter* printer,
             std::unique_ptr<QPrinter> owned, QString afterPrint)
        : QObject(view), view_(view), page_(page), printer_(printer), owned_(std::move(owned)),
          afterPrint_(std::move(afterPrint)) {}

    void start() {
        switch (PrintSpooler::route(*printer_)) {
        case PrintSpooler::Route::PdfFile:
            whenPdfDone(printer_->outputFileName(), [this](bool) { finish(); });
            return;
        case PrintSpooler::Route::Spooler:
            if (pdf_.open()) {
                pdf_.close();
                whenPdfDone(pdf_.fileName(), [this](bool ok) {
                    if (ok && PrintSpooler::send(*printer_, pdf_.fileName())) {
                        finish();
                        return;
                    }
                    qCInfo(lcBrowser) << "the print spooler did not take the page;"
                                      << "printing it as pictures";
                    printAsPictures();
                });
                return;
            }
            qCInfo(lcBrowser) << "no temporary file for the print; printing the page as pictures";
            break;
        case PrintSpooler::Route::Pictures:
            qCInfo(lcBrowser) << "no print spooler or printer name; printing the page as pictures";
            break;
        }
        printAsPictures();
    }

private:
    void whenPdfDone(const QString& file, std::function<void(bool)> then) {
        connect(page_, &QWebEnginePage::pdfPrintingFinished, this,
                [file, then = std::move(then)](const QString& path, bool ok) {
                    if (path == file)
                        then(ok);
                });
        page_->printToPdf(file, printer_->pageLayout(), printer_->pageRanges());
    }

    void printAsPictures() {
        disconnect(page_, nullptr, this, nullptr);
        connect(view_, &QWebEngineView::printFinished, this, &PrintJob::finish);
        view_->print(printer_);
    }

    void finish() {
        if (!afterPrint_.isEmpty())
            page_->runJavaScript(afterPrint_, QWebEngineScript::ApplicationWorld);
        deleteLater();
    }

    QWebEngineView* view_;
    QWebEnginePage* page_;
    QPrinter* printer_;
    std::unique_ptr<QPrinter> owned_;
    QString afterPrint_;
    QTemporaryFile pdf_{QDir::tempPath() + QStringLiteral("/miravel-print-XXXXXX.pdf")};
};

} // namespace

BrowserView::BrowserView(QWidget* parent, BrowserProfile* profile)
    : QWebEngineView(parent),
      page_(new BrowserPage((profile ? profile : &BrowserProfile::shared())->profile(), this)) {
    setPage(page_);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(page_, &QWebEnginePage::loadStarted, this, [this] {
        loadPending_ = true;
        ++loadsStarted_;
        rendererLost_ = false; // a load starts a new renderer
    });
    connect(page_, &QWebEnginePage::renderProcessTerminated, this, &BrowserView::onRendererEnded);
    connect(page_, &QWebEnginePage::loadFinished, this, &BrowserView::onLoadFinished);
    connect(page_, &BrowserPage::navigationRefused, this, &BrowserView::onLoadFinished);
    connect(page_, &BrowserPage::linkClicked, this, &BrowserView::linkClicked);
}

BrowserView::~BrowserView() = default;

void BrowserView::Navigate(const QString& address) {
    const QUrl url = ResAddress::fromAddress(address);
    if (!url.isValid())
        return;
    const quint64 mine = ++navigations_;
    // From one of our pages to another, the page itself is sent on: a load
    // started from outside gives every page a fresh renderer process, which
    // costs more than the page.  One navigation is in flight at a time.
    const auto isOurs = [](const QUrl& u) {
        return u.scheme() == QLatin1String(ResAddress::kScheme);
    };
    if (isOurs(url) && isOurs(page_->url()) && !rendererLost_) {
        waitForLoad();
        if (mine != navigations_)
            return; // a newer address was asked for while this one waited
        if (isOurs(page_->url()) && !rendererLost_) {
            loadPending_ = true;
            page_->expectOwnNavigation(url);
            page_->runJavaScript(QStringLiteral("location.href = %1")
                                     .arg(PageScript::literal(url.toString(QUrl::FullyEncoded))),
                                 QWebEngineScript::ApplicationWorld);
            return;
        }
    }
    loadPending_ = true;
    page_->load(url);
}

void BrowserView::Navigate2(QString& address) {
    Navigate(address);
}

void BrowserView::onLoadFinished() {
    loadPending_ = false;
}

// Whatever was pending on the old renderer ends with it: the load, the kept
// body, the scripts waited for (they are answered with nothing at once from
// now on, not after their time limit).
void BrowserView::onRendererEnded(QWebEnginePage::RenderProcessTerminationStatus status,
                                  int exitCode) {
    qCWarning(lcBrowser) << "the page's renderer process ended:" << status << "exit code"
                         << exitCode << "on" << page_->url().toString();
    rendererLost_ = true;
    loadPending_ = false;
    bodyKept_ = false;
    emit rendererLost();
}

bool BrowserView::waitForLoad(int timeoutMs) {
    if (!loadPending_)
        return true;
    QEventLoop loop;
    connect(page_, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
    connect(page_, &BrowserPage::navigationRefused, &loop, &QEventLoop::quit);
    connect(this, &BrowserView::rendererLost, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return !loadPending_;
}

void BrowserView::ExecWB(int command, int /*option*/) {
    if (command != kPrintCommand)
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPrinter* chosen = printer.get();
    startPrint(chosen, std::move(printer));
}

void BrowserView::printTo(QPrinter* printer) {
    startPrint(printer, nullptr);
}

void BrowserView::startPrint(QPrinter* printer, std::unique_ptr<QPrinter> owned) {
    if (!beforePrint_.isEmpty())
        runScript(beforePrint_);
    (new PrintJob(this, page_, printer, std::move(owned), afterPrint_))->start();
}

void BrowserView::setPrintScripts(const QString& before, const QString& after) {
    beforePrint_ = before;
    afterPrint_ = after;
}

void BrowserView::setSilent(bool silent) {
    page_->setSilent(silent);
}
bool BrowserView::Silent() const {
    return page_->isSilent();
}
void BrowserView::setOffline(bool offline) {
    page_->setOffline(offline);
}
bool BrowserView::Offline() const {
    return page_->isOffline();
}

std::optional<QVariant> BrowserView::runScript(const QString& script, int timeoutMs) {
    const quint64 page = navigations_;
    waitForLoad();
    if (page != navigations_)
        return std::nullopt; // meant for a page that was left while it loaded
    if (rendererLost_)
        return std::nullopt;
    return PageScript::run(page_, script, timeoutMs);
}

bool BrowserView::postScript(const QString& script) {
    const quint64 page = navigations_;
    waitForLoad();
    if (page != navigations_ || rendererLost_)
        return false;
    // Scripts run in the order they are sent, so a later read sees this one.
    page_->runJavaScript(script, QWebEngineScript::ApplicationWorld);
    return true;
}

// The copy lives in the application's script world of the page, so it goes
// with the document and the page's own markup cannot reach it.
void BrowserView::keepBody() {
    bodyKept_ = postScript(QStringLiteral(
        "window.keptBody = document.body ? document.body.cloneNode(true) : null; true"));
    keptAtLoad_ = loadsStarted_;
    keptAtAddress_ = navigations_;
}

bool BrowserView::keepsBody() const {
    return bodyKept_ && !loadPending_ && keptAtLoad_ == loadsStarted_ &&
           keptAtAddress_ == navigations_;
}

QString BrowserView::restoreBodyScript() {
    return QStringLiteral("(function() {"
                          "  var kept = window.keptBody;"
                          "  if (!kept || !document.body) return false;"
                          "  document.body.replaceChildren.apply(document.body,"
                          "      Array.prototype.slice.call(kept.cloneNode(true).childNodes));"
                          "  window.scrollTo(0, 0);"
                          "  return true;"
                          "})()");
}

QString BrowserView::bodyInnerHtml() {
    const auto markup = runScript(QStringLiteral("document.body ? document.body.innerHTML : ''"));
    return markup ? markup->toString() : QString();
}

void BrowserView::setBodyInnerHtml(const QString& markup) {
    runScript(QStringLiteral("if (document.body) document.body.innerHTML = %1; true")
                  .arg(PageScript::literal(CharacterReferences::expandedInText(markup))));
}

void BrowserView::appendBodyHtml(const QString& markup) {
    postScript(appendBodyScript(markup));
}

namespace {

// Set in the page's application world at the start of the second frame
// after an append: the first lays out and paints what was appended, and the
// next one starts once that is on its way to the screen.  Waiting for the
// first alone leaves the engine drawing it while it reads what follows.
const QString kShownAfterAppend = QStringLiteral("window.shownAfterAppend");

} // namespace

QString BrowserView::appendBodyScript(const QString& markup) {
    return QStringLiteral("if (document.body) document.body.insertAdjacentHTML('beforeend', %1);"
                          "%2 = false;"
                          "requestAnimationFrame(function() {"
                          "  requestAnimationFrame(function() { %2 = true; });"
                          "}); true")
        .arg(PageScript::literal(CharacterReferences::expandedInText(markup)), kShownAfterAppend);
}

bool BrowserView::waitUntilShown(int timeoutMs) {
    if (!isVisible() || window()->isMinimized() || rendererLost_)
        return false;
    const quint64 page = navigations_;
    const QString query = QStringLiteral("document.visibilityState !== 'visible' ? 'hidden' : "
                                         "%1 === false ? 'waiting' : 'shown'")
                              .arg(kShownAfterAppend);
    // Asked again a few milliseconds after each answer: a frame takes
    // longer than that, and the engine is spared a stream of questions.
    constexpr int kAskAgainMs = 3;
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    bool shown = false;
    std::function<void()> ask;
    ask = [&, waiting] {
        if (!waiting)
            return;
        page_->runJavaScript(
            query, QWebEngineScript::ApplicationWorld, [&, waiting](const QVariant& answer) {
                if (!waiting)
                    return;
                if (answer.toString() == QLatin1String("waiting") && page == navigations_) {
                    QTimer::singleShot(kAskAgainMs, waiting.data(), [&] { ask(); });
                    return;
                }
                shown = answer.toString() == QLatin1String("shown");
                waiting->quit();
            });
    };
    ask();
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    connect(page_, &QWebEnginePage::loadStarted, &loop, &QEventLoop::quit);
    connect(this, &BrowserView::rendererLost, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return shown;
}

TextRange BrowserView::createTextRange() {
    return TextRange(this);
}

int BrowserView::Left() const {
    return Twips::fromPixels(x());
}
int BrowserView::Top() const {
    return Twips::fromPixels(y());
}
int BrowserView::Width() const {
    return Twips::fromPixels(width());
}
int BrowserView::Height() const {
    return Twips::fromPixels(height());
}
void BrowserView::setLeft(int twips) {
    move(Twips::toPixels(twips), y());
}
void BrowserView::setTop(int twips) {
    move(x(), Twips::toPixels(twips));
}
void BrowserView::setWidth(int twips) {
    resize(qMax(0, Twips::toPixels(twips)), height());
}
void BrowserView::setHeight(int twips) {
    resize(width(), qMax(0, Twips::toPixels(twips)));
}
