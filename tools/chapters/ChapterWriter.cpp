#include "ChapterWriter.h"

#include "ChapterTexts.h"
#include "ResourceText.h"

#include <QDir>
#include <QSaveFile>

QMap<QString, QByteArray> ChapterWriter::files(const QList<SuraFacts>& suras,
                                               const QStringList& notice) {
    const ChapterTexts texts(suras);
    QMap<QString, QByteArray> out;
    for (const SuraFacts& facts : suras)
        out.insert(QString::number(FirstChapterId - 1 + facts.number),
                   ResourceText::encode(texts.chapter(facts.number)));
    out.insert(QString::number(IntroductionId), ResourceText::encode(texts.introduction(notice)));
    out.insert(QString::number(NameListId), ResourceText::encode(texts.nameList(), NameListZeros));
    // The cut text is compared with the joined introduction, so it carries no
    // line break and no trailing byte.
    out.insert(QStringLiteral("REPLACE"), ChapterTexts::cutText().toLatin1());
    out.insert(QStringLiteral("TANZIL.TXT"), (notice.join(QLatin1Char('\n')) + u'\n').toUtf8());
    return out;
}

bool ChapterWriter::writeAll(const QString& directory, const QMap<QString, QByteArray>& files,
                             QString* error) {
    const QDir dir(directory);
    if (!dir.mkpath(QStringLiteral("."))) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(directory);
        return false;
    }
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QSaveFile file(dir.filePath(it.key()));
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size() ||
            !file.commit()) {
            if (error)
                *error = QStringLiteral("cannot write %1").arg(file.fileName());
            return false;
        }
    }
    return true;
}
