#include "BrowserPage.h"

#include "BrowserLog.h"
#include "OfflineGuard.h"

BrowserPage::BrowserPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent), guard_(new OfflineGuard(this)) {
    setUrlRequestInterceptor(guard_);
}

void BrowserPage::setOffline(bool offline) {
    guard_->setActive(offline);
}

bool BrowserPage::isOffline() const {
    return guard_->isActive();
}

bool BrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    const bool own = !ownNavigation_.isEmpty() && url == ownNavigation_;
    if (own)
        ownNavigation_.clear();
    if (type == NavigationTypeLinkClicked && !own) {
        emit linkClicked(url);
        return false;
    }
    if (isOffline() && !OfflineGuard::isLocal(url) && url.scheme() != QLatin1String("about")) {
        qCInfo(lcBrowser) << "offline view refused to go to" << url.toDisplayString();
        emit navigationRefused(url);
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

// Pages never open windows of their own.
QWebEnginePage* BrowserPage::createWindow(WebWindowType) {
    return nullptr;
}

void BrowserPage::javaScriptAlert(const QUrl& origin, const QString& msg) {
    if (!silent_)
        QWebEnginePage::javaScriptAlert(origin, msg);
}

bool BrowserPage::javaScriptConfirm(const QUrl& origin, const QString& msg) {
    return silent_ ? false : QWebEnginePage::javaScriptConfirm(origin, msg);
}

bool BrowserPage::javaScriptPrompt(const QUrl& origin, const QString& msg,
                                   const QString& defaultValue, QString* result) {
    return silent_ ? false : QWebEnginePage::javaScriptPrompt(origin, msg, defaultValue, result);
}

QStringList BrowserPage::chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                                     const QStringList& acceptedMimeTypes) {
    return silent_ ? QStringList() : QWebEnginePage::chooseFiles(mode, oldFiles, acceptedMimeTypes);
}

// Script errors are the page's business; a silent view does not report them.
void BrowserPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                           const QString& message, int lineNumber,
                                           const QString& sourceID) {
    if (!silent_)
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
}
