#pragma once

#include "ResourceLibrary.h"

#include <QByteArray>
#include <QString>

// One of the program's page templates with its body replaced by `body`, in
// UTF-8: the final markup of a page as one static page, for comparison.
inline QByteArray staticPage(const QString& templateName, const QByteArray& templateCharset,
                             const QString& body) {
    QByteArray page = ResourceLibrary::own().html(templateName).value_or(QByteArray());
    const qsizetype open = page.indexOf("<body");
    const qsizetype openEnd = page.indexOf('>', open);
    if (open < 0 || openEnd < 0)
        return {};
    QByteArray head = page.left(openEnd + 1);
    head.replace(templateCharset, "utf-8");
    return head + body.toUtf8() + "</body>\n</html>\n";
}
