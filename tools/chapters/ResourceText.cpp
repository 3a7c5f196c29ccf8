#include "ResourceText.h"

QByteArray ResourceText::encode(const QStringList& lines, int zeros) {
    QByteArray bytes;
    for (const QString& line : lines) {
        for (const QChar c : line)
            bytes += c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?';
        bytes += "\r\n";
    }
    bytes += QByteArray(zeros, '\0');
    return bytes;
}

QString ResourceText::joined(const QStringList& lines) {
    return lines.join(QString());
}
