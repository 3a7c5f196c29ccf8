#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

class BrowserView;

// Finds the verse of a sura page under a point of the view: the verse whose
// texts, rule or label lie there, or, in the room between two verses, the
// verse below.  The title, the opening lines and pages without verse labels
// have none.
namespace VerseUnderPointer {

struct Verse {
    QString label;     // "2 : 255", as the page shows it
    QStringList texts; // the verse's paragraphs in page order, as their text stands
};

// `position` is in the view's own coordinates.  Nothing where no verse is.
std::optional<Verse> at(BrowserView& view, const QPoint& position);

} // namespace VerseUnderPointer
