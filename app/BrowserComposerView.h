#pragma once

#include "SuraPageComposer.h"

class BrowserView;

// The composer's page view over the real browser view: pages are waited
// for, portions are appended without re-sending the body, and the title is
// replaced inside the engine.
class BrowserComposerView : public ComposerView {
public:
    explicit BrowserComposerView(BrowserView* view) : view_(view) {}

    void navigate(const QString& address) override;
    void appendBody(const QString& markup) override;
    void replaceInBody(const QString& find, const QString& replacement) override;
    void setOpening(const QString& basmala, bool englishShown) override;

private:
    BrowserView* view_;
};
