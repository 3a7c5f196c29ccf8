#pragma once

#include "SuraPageComposer.h"

class BrowserView;

// The composer's page view over the real browser view: pages are waited
// for, portions are appended without re-sending the body, and the title is
// replaced inside the engine.  The template page keeps its body as loaded,
// so that the next sura puts it back instead of loading the page again; a
// page put back is emptied and titled in one script, so the reader never
// sees it without its title.
class BrowserComposerView : public ComposerView {
public:
    explicit BrowserComposerView(BrowserView* view) : view_(view) {}

    void navigate(const QString& address) override;
    bool canReuseTemplate(const QString& address) const override;
    void openTemplate(const QString& address) override;
    void flush() override;
    void appendBody(const QString& markup) override;
    void waitUntilShown(int timeoutMs) override;
    void replaceInBody(const QString& find, const QString& replacement) override;
    void setOpening(const QString& basmala, bool englishShown) override;
    void setOpeningLine(const QString& markup, const QString& language) override;

private:
    // Sends `script` to the page, or holds it for the first portion while a
    // page put back waits for it.
    void send(const QString& script);

    BrowserView* view_;
    bool holding_ = false;
    QString held_;
};
