#pragma once

#include <QString>

// On paper a page break may fall anywhere between paragraphs, and so between
// a verse's last text and the "." and label that end it: the next page would
// then open with a label that belongs to the verse before.  For the time of a
// print, each verse's last text paragraph, its end mark, rule and label are
// gathered in one block that the engine keeps on one page; afterwards the
// page is put back as it was.  A page without verse labels is left alone.
namespace VersePrintGroups {

// Gathers the verse ends; answers how many it gathered.
QString groupScript();
// Takes the gathered paragraphs back out; answers how many groups it undid.
QString ungroupScript();

} // namespace VersePrintGroups
