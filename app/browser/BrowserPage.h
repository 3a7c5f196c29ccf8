#pragma once

#include <QWebEnginePage>

class OfflineGuard;

// The page behind a browser view.  Silent: the page shows no dialog of its
// own.  Offline: navigation to any address that is not local is refused,
// so the view stays on its page.  A click on a link is never followed by
// the page itself: it is reported, and the program decides where it leads.
class BrowserPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit BrowserPage(QWebEngineProfile* profile, QObject* parent = nullptr);

    void setSilent(bool silent) { silent_ = silent; }
    bool isSilent() const { return silent_; }
    void setOffline(bool offline);
    bool isOffline() const;
    // The program itself is about to send the page to `url` by script; the
    // engine reports that as a link click, which it is not.
    void expectOwnNavigation(const QUrl& url) { ownNavigation_ = url; }

signals:
    // A navigation the page itself turned down; no load follows it.
    void navigationRefused(const QUrl& url);
    // The reader clicked a link to `url` (absolute); the page stays as it is.
    void linkClicked(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& origin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& msg, const QString& defaultValue,
                          QString* result) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                            const QStringList& acceptedMimeTypes) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override;

private:
    OfflineGuard* guard_;
    bool silent_ = false;
    QUrl ownNavigation_;
};
