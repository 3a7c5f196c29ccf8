#pragma once

#include <QString>

// Text for the 7-bit ASCII HTML fragments of the text libraries.
class AsciiHtml {
public:
    // Escapes &, < and >, writes every character outside ASCII as a decimal
    // numeric character reference ("&#1575;") and keeps "//" from reading as
    // a verse separator: the library builder's escaping.
    static QString escape(const QString& text);

    // An Arabic phrase, escaped, in a right-to-left span so that it keeps its
    // direction inside English text.
    static QString arabic(const QString& text);
};
