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

    QWebEngineProfile* profile() const { return profile_; }

private:
    QWebEngineProfile* profile_;
};
