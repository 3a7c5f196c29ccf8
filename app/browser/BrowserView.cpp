#include "BrowserView.h"

#include "BrowserPage.h"
#include "BrowserProfile.h"
#include "PageScript.h"
#include "PrintSpooler.h"
#include "ResAddress.h"

#include <QDir>
#include <QEventLoop>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>
#include <QTimer>
#include <QWebEngineScript>

#include <functional>

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kPrintCommand = 6;

int toPixels(int twips) {
    return twips / kTwipsPerPixel;
}
int toTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// One print of the page: owns the printer until the engine and the spooler
// are done with it.  A real printer gets the page as a PDF through the
// system's spooler, so its text stays text; where there is no spooler, or it
// refuses the file, the engine prints the page as pictures.
class PrintJob : public QObject {
public:
    PrintJob(QWebEngineView* view, QWebEnginePage* page)
        : QObject(view), view_(view), page_(page) {}
    QPrinter* printer() { return &printer_; }

    void start() {
        if (printer_.outputFormat() == QPrinter::PdfFormat) {
            whenPdfDone(printer_.outputFileName(), [this](bool) { deleteLater(); });
            return;
        }
        if (!PrintSpooler::program().isEmpty() && !printer_.printerName().isEmpty() &&
            pdf_.open()) {
            pdf_.close();
            whenPdfDone(pdf_.fileName(), [this](bool ok) {
                if (ok && PrintSpooler::send(printer_, pdf_.fileName()))
                    deleteLater();
                else
                    printAsPictures();
            });
            return;
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
        page_->printToPdf(file, printer_.pageLayout(), printer_.pageRanges());
    }

    void printAsPictures() {
        disconnect(page_, nullptr, this, nullptr);
        connect(view_, &QWebEngineView::printFinished, this, &QObject::deleteLater);
        view_->print(&printer_);
    }

    QWebEngineView* view_;
    QWebEnginePage* page_;
    QPrinter printer_{QPrinter::HighResolution};
    QTemporaryFile pdf_{QDir::tempPath() + QStringLiteral("/miravel-print-XXXXXX.pdf")};
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
    auto* job = new PrintJob(this, page_);
    QPrintDialog dialog(job->printer(), this);
    if (dialog.exec() != QDialog::Accepted) {
        delete job;
        return;
    }
    job->start();
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
