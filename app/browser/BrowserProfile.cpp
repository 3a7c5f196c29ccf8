#include "BrowserProfile.h"

#include "ResAddress.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

BrowserProfile::BrowserProfile(PageSource source, QObject* parent)
    : QObject(parent), profile_(new QWebEngineProfile(this)) {
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile_->setSpellCheckEnabled(false);
    profile_->installUrlSchemeHandler(ResAddress::kScheme,
                                      new ResSchemeHandler(std::move(source), this));
    QWebEngineSettings* settings = profile_->settings();
    // Pages are passive documents; the view edits them from its own script world.
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    // A page that cannot be had shows as an empty page, not an engine error page.
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    // Script is off, but should it ever run, WebRTC reveals no local address.
    settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
}

namespace {

// Adds `flag` to the engine's switches unless a switch named `name` is set.
void addEngineSwitch(const QByteArray& name, const QByteArray& flag) {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains(name))
        return;
    flags += flags.isEmpty() ? flag : ' ' + flag;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

} // namespace

void BrowserProfile::restrictWebRtc() {
    addEngineSwitch("--force-webrtc-ip-handling-policy",
                    "--force-webrtc-ip-handling-policy=disable_non_proxied_udp");
}

void BrowserProfile::keepHiddenPagesAtFullPriority() {
    addEngineSwitch("--disable-renderer-backgrounding", "--disable-renderer-backgrounding");
}

BrowserProfile& BrowserProfile::shared() {
    // Parented to the application so it goes before the engine shuts down.
    static BrowserProfile* profile =
        new BrowserProfile(ownLibraryPages(), QCoreApplication::instance());
    return *profile;
}
