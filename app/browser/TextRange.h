#pragma once

#include <QPointer>
#include <QString>

class BrowserView;

// A range over the visible text of a view's page body.  It starts over the
// whole body; findText moves it onto the first occurrence at or after its
// start, Select makes it the page's selection and scrolls it into view, and
// Collapse shrinks it to one end, so that after Collapse(false) the next
// findText searches past the last hit.  Positions count characters of the
// body's text, which stay put while markup is appended to the body.
class TextRange {
public:
    TextRange() = default;
    explicit TextRange(BrowserView* view) : view_(view) {}

    // Case-insensitive; any run of white space in `text` matches any run of
    // white space on the page.  Text in different paragraphs never joins up.
    bool findText(const QString& text);
    // The same, but only where no letter or digit adjoins the hit, so that
    // "2 : 25" is not found inside "2 : 250".
    bool findWholeText(const QString& text);
    void Select();
    void Collapse(bool start);

    qsizetype start() const { return start_; }
    qsizetype end() const { return end_; }

private:
    bool find(const QString& text, bool whole);

    QPointer<BrowserView> view_;
    qsizetype start_ = 0;
    qsizetype end_ = -1; // -1: the end of the body
};
