#pragma once

#include "PageScript.h"
#include "TextRange.h"

#include <QString>
#include <QVariant>
#include <QWebEngineView>

#include <memory>
#include <optional>

class BrowserPage;
class BrowserProfile;
class QPrinter;

// The program's embedded browser view (`WebBrowser1`): loads res pages, lets
// the program read and edit the loaded page's body, find and select text in
// it, and print it.  The page's own JavaScript is off; the view works on the
// document from the application's script world.
class BrowserView : public QWebEngineView {
    Q_OBJECT
public:
    // Uses the shared profile over the program's library unless given one.
    explicit BrowserView(QWidget* parent = nullptr, BrowserProfile* profile = nullptr);
    ~BrowserView() override;

    // Starts loading an address; res addresses may be written with
    // backslashes as the program builds them.
    void Navigate(const QString& address);
    void Navigate2(QString& address);

    // Waits until the page asked for last has finished loading (or was
    // refused), at most `timeoutMs`.  True when no load is pending.
    bool waitForLoad(int timeoutMs = 10000);
    bool isLoadPending() const { return loadPending_; }
    // The page's renderer process ended before its time (it crashed or was
    // killed) and no page has been loaded since: the view shows nothing,
    // scripts get no answer, and the next address is loaded afresh.
    bool hasLostRenderer() const { return rendererLost_; }

    // Command 6 is print: the print dialog, then printTo the chosen printer.
    // Other commands do nothing.
    void ExecWB(int command, int option);
    // Prints without asking; `printer` must outlive the print, which ends
    // after this returns.  A PDF printer gets the page as a PDF, a named
    // printer gets one through the system's spooler (text stays text either
    // way); without a spooler the engine prints pictures of the page.
    void printTo(QPrinter* printer);

    // Scripts run on the page around every print: `before` is waited for
    // before the engine lays the page out for paper, `after` is sent once
    // the print is done.  Empty scripts (the default) are not run.
    void setPrintScripts(const QString& before, const QString& after);

    void setSilent(bool silent);
    bool Silent() const;
    void setOffline(bool offline);
    bool Offline() const;

    // The body's markup as the engine writes it out; empty without a body.
    // These wait for a pending load first, so they act on the new page.
    QString bodyInnerHtml();
    void setBodyInnerHtml(const QString& markup);
    // Same effect as writing the body's markup followed by `markup`, but only
    // the new part travels to the engine and is parsed, its character
    // references in text written as characters.  Not waited for: a
    // later read or script sees it.
    void appendBodyHtml(const QString& markup);
    // The script appendBodyHtml sends.  The page notes when it has shown
    // what it appended (waitUntilShown).
    static QString appendBodyScript(const QString& markup);
    // Waits until the page has shown what was last appended to its body
    // (two frames have started since), at most `timeoutMs`; at once for
    // a view or page that is not on screen, or a page that was left.  True
    // when the page showed it.
    bool waitUntilShown(int timeoutMs);
    TextRange createTextRange();

    // Placement in twips (15 per pixel) within the parent.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);

    // Script in the application's world of the current page, answer waited
    // for.  A script that waited for a page that was left meanwhile for a
    // newer address is dropped.
    // Nothing when the answer does not come within `timeoutMs`.
    std::optional<QVariant> runScript(const QString& script,
                                      int timeoutMs = PageScript::kDefaultTimeoutMs);
    // The same without waiting for the answer (once the page has loaded);
    // false when it was dropped for a page that was left meanwhile.
    bool postScript(const QString& script);

    // Keeps a copy of the loaded page's body as it stands now, so that the
    // page can later be put back to it (restoreBodyScript) instead of being
    // loaded again.  The copy goes with the page: any load drops it.
    void keepBody();
    // True when the page on show holds a kept body: it was kept, and no
    // load has started since.
    bool keepsBody() const;
    // Script that puts the kept body back: the body's children as they were
    // kept, the page scrolled to its top.  Answers false, and changes
    // nothing, on a page without a kept body.
    static QString restoreBodyScript();

signals:
    // A link in the page was clicked; the view stays on its page and the
    // program decides where the click leads.  The view's own navigations
    // (Navigate) are never reported here.
    void linkClicked(const QUrl& url);
    // The page's renderer process ended before its time; the view stays
    // blank until a page is loaded (see hasLostRenderer).
    void rendererLost();

private:
    void onLoadFinished();
    void onRendererEnded(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode);
    void startPrint(QPrinter* printer, std::unique_ptr<QPrinter> owned);

    BrowserPage* page_;
    QString beforePrint_;
    QString afterPrint_;
    bool loadPending_ = false;
    quint64 navigations_ = 0;   // addresses asked for so far
    quint64 loadsStarted_ = 0;  // loads of any kind, ours or not
    quint64 keptAtLoad_ = 0;    // loadsStarted_ when the body was kept
    quint64 keptAtAddress_ = 0; // navigations_ when the body was kept
    bool bodyKept_ = false;
    bool rendererLost_ = false;
};
