#pragma once

#include "ResScheme.h"

#include <QObject>

class QWebEngineProfile;

// The web engine profile the program's views share: off the record, so
// nothing is written to disk; page JavaScript off; res addresses served from
// a page source (by default the program's own library).
class BrowserProfile : public QObject {
    Q_OBJECT
public:
    explicit BrowserProfile(PageSource source, QObject* parent = nullptr);

    // The process-wide profile over the program's own library.
    static BrowserProfile& shared();

    // Keeps WebRTC off the network: no UDP without a proxy, and there is
    // none, so no STUN or mDNS packet leaves the machine.  An engine switch,
    // so it must run before the engine starts (before the application
    // object is made).
    static void restrictWebRtc();
    // Keeps a page that loads behind another window (the main window's
    // start page behind the splash) at the renderer's full priority; the
    // engine would otherwise lower it until the page is shown.  An engine
    // switch, like restrictWebRtc.
    static void keepHiddenPagesAtFullPriority();

    QWebEngineProfile* profile() const { return profile_; }

private:
    QWebEngineProfile* profile_;
};
