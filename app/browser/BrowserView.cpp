#include "BrowserView.h"

#include "BrowserPage.h"
#include "BrowserProfile.h"
#include "PageScript.h"
#include "ResAddress.h"

#include <QEventLoop>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QWebEngineScript>

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kPrintCommand = 6;

int toPixels(int twips) {
    return twips / kTwipsPerPixel;
}
int toTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// A printer that stays alive while the engine prints to it.
class PrintJob : public QObject {
public:
    using QObject::QObject;
    QPrinter* printer() { return &printer_; }

private:
    QPrinter printer_{QPrinter::HighResolution};
};

} // namespace

BrowserView::BrowserView(QWidget* parent, BrowserProfile* profile)
    : QWebEngineView(parent),
      page_(new BrowserPage((profile ? profile : &BrowserProfile::shared())->profile(), this)) {
    setPage(page_);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(page_, &QWebEnginePage::loadStarted, this, [this] { loadPending_ = true; });
    connect(page_, &QWebEnginePage::loadFinished, this, &BrowserView::onLoadFinished);
    connect(page_, &BrowserPage::navigationRefused, this, &BrowserView::onLoadFinished);
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
    if (isOurs(url) && isOurs(page_->url())) {
        waitForLoad();
        if (mine != navigations_)
            return; // a newer address was asked for while this one waited
        if (isOurs(page_->url())) {
            loadPending_ = true;
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

bool BrowserView::waitForLoad(int timeoutMs) {
    if (!loadPending_)
        return true;
    QEventLoop loop;
    connect(page_, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
    connect(page_, &BrowserPage::navigationRefused, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return !loadPending_;
}

void BrowserView::ExecWB(int command, int /*option*/) {
    if (command != kPrintCommand)
        return;
    // The engine prints asynchronously: the printer lives until it is done.
    auto* job = new PrintJob(this);
    QPrintDialog dialog(job->printer(), this);
    if (dialog.exec() != QDialog::Accepted) {
        delete job;
        return;
    }
    connect(this, &QWebEngineView::printFinished, job, &QObject::deleteLater);
    connect(page_, &QWebEnginePage::pdfPrintingFinished, job, &QObject::deleteLater);
    printTo(job->printer());
}

void BrowserView::printTo(QPrinter* printer) {
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty()) {
        page_->printToPdf(printer->outputFileName(), printer->pageLayout(), printer->pageRanges());
        return;
    }
    print(printer);
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

std::optional<QVariant> BrowserView::runScript(const QString& script) {
    const quint64 page = navigations_;
    waitForLoad();
    if (page != navigations_)
        return std::nullopt; // meant for a page that was left while it loaded
    return PageScript::run(page_, script);
}

void BrowserView::postScript(const QString& script) {
    const quint64 page = navigations_;
    waitForLoad();
    if (page != navigations_)
        return;
    // Scripts run in the order they are sent, so a later read sees this one.
    page_->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

QString BrowserView::bodyInnerHtml() {
    const auto markup = runScript(QStringLiteral("document.body ? document.body.innerHTML : ''"));
    return markup ? markup->toString() : QString();
}

void BrowserView::setBodyInnerHtml(const QString& markup) {
    runScript(QStringLiteral("if (document.body) document.body.innerHTML = %1; true")
                  .arg(PageScript::literal(markup)));
}

void BrowserView::appendBodyHtml(const QString& markup) {
    postScript(
        QStringLiteral("if (document.body) document.body.insertAdjacentHTML('beforeend', %1); true")
            .arg(PageScript::literal(markup)));
}

TextRange BrowserView::createTextRange() {
    return TextRange(this);
}

int BrowserView::Left() const {
    return toTwips(x());
}
int BrowserView::Top() const {
    return toTwips(y());
}
int BrowserView::Width() const {
    return toTwips(width());
}
int BrowserView::Height() const {
    return toTwips(height());
}
void BrowserView::setLeft(int twips) {
    move(toPixels(twips), y());
}
void BrowserView::setTop(int twips) {
    move(x(), toPixels(twips));
}
void BrowserView::setWidth(int twips) {
    resize(qMax(0, toPixels(twips)), height());
}
void BrowserView::setHeight(int twips) {
    resize(width(), qMax(0, toPixels(twips)));
}
