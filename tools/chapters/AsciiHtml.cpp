#include "AsciiHtml.h"

#include "LibraryFormat.h"

QString AsciiHtml::escape(const QString& text) {
    return QString::fromLatin1(LibraryFormat::toAsciiMarkup(text));
}

QString AsciiHtml::arabic(const QString& text) {
    return QStringLiteral("<span lang='ar' dir='rtl'>") + escape(text) + QStringLiteral("</span>");
}
