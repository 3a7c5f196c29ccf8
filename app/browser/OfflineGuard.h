#pragma once

#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

// Keeps a view off the network: while active, every request whose scheme is
// neither res nor data is blocked, so a page that names an http address
// gets nothing and no request leaves the machine.
class OfflineGuard : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void setActive(bool active) { active_ = active; }
    bool isActive() const { return active_; }

    // Whether an offline view may fetch this address at all.
    static bool isLocal(const QUrl& url);

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    bool active_ = false;
};
