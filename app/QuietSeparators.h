#pragma once

#include <QString>

// What a screen reader need not read on a sura page: the pictures between a
// verse's texts and under it (as "paragraph" or "image" they only hold the
// reader up), the empty paragraphs beside them and the "." after each
// verse's texts.  They stay on the page as they are; only assistive
// technology is told to pass them over (aria-hidden), the "." through a span
// around it.
namespace QuietSeparators {

// Script that marks them on the page shown; running it again changes nothing.
QString script();

} // namespace QuietSeparators
