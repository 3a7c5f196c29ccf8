#include "AsciiHtml.h"

#include <QList>

QString AsciiHtml::escape(const QString& text) {
    QString out;
    for (const uint c : text.toUcs4()) {
        if (c == '&')
            out += QLatin1String("&amp;");
        else if (c == '<')
            out += QLatin1String("&lt;");
        else if (c == '>')
            out += QLatin1String("&gt;");
        else if (c >= 0x20 && c < 0x7f)
            out += QChar(static_cast<char16_t>(c));
        else
            out += QStringLiteral("&#%1;").arg(c);
    }
    return out;
}

QString AsciiHtml::arabic(const QString& text) {
    return QStringLiteral("<span lang='ar' dir='rtl'>") + escape(text) + QStringLiteral("</span>");
}
