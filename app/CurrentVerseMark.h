#pragma once

#include <QString>

// The mark of the current verse on a sura page: its label painted in the
// highlight colour, the page's focus, and what a screen reader reads of the
// verse (named by the label, described by its texts: aria-current, role,
// aria-label, aria-describedby); a bar beside its texts.  Attributes only,
// so the classes that the page's other scripts read stay as the composer
// wrote them.
namespace CurrentVerseMark {

// Script that moves the mark to the verse whose label reads `label`
// ("2 : 255", matched whole); answers whether that label is on the page.
// Without such a label the page is left unmarked.
QString markScript(const QString& label);

// Script answering the middle of the verse's label in the page's pixels
// ([x, y]), scrolled into view first where it is not; null without it.
QString labelPointScript(const QString& label);

} // namespace CurrentVerseMark
