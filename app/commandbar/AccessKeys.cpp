#include "AccessKeys.h"

#include <QSet>

namespace AccessKeys {

QChar markedKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i; // an escaped ampersand
            continue;
        }
        return caption.at(i + 1).toLower();
    }
    return {};
}

QStringList withAccessKeys(const QStringList& captions) {
    QSet<QChar> taken;
    for (const QString& caption : captions) {
        const QChar key = markedKey(caption);
        if (!key.isNull())
            taken.insert(key);
    }
    QStringList marked;
    marked.reserve(captions.size());
    for (QString caption : captions) {
        if (markedKey(caption).isNull()) {
            for (qsizetype i = 0; i < caption.size(); ++i) {
                const QChar key = caption.at(i).toLower();
                if (!caption.at(i).isLetterOrNumber() || taken.contains(key))
                    continue;
                taken.insert(key);
                caption.insert(i, QLatin1Char('&'));
                break;
            }
        }
        marked.append(caption);
    }
    return marked;
}

} // namespace AccessKeys
