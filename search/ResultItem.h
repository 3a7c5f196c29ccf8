#pragma once

#include <QString>

#include <optional>

// One line of the result list: where the verse is and how the list names it.
// The item value joins the three digits of the sura's resource number and
// the verse number (verse 255 of sura 2 is 102255); every reader of an entry
// splits its decimal form the same way.
struct ResultItem {
    int resourceId = 0; // 100 + the sura number
    int verse = 0;

    int sura() const { return resourceId - 100; }

    // The entry's text around the sura's name: "Chapter /Sura 002 - ",
    // the caption, ".Ayat/Verse :255".
    struct TextParts {
        QString lead;
        QString name;
        QString tail;
    };

    // "Chapter /Sura 002 - <caption>.Ayat/Verse :255"
    QString text(const QString& chapterCaption) const;
    TextParts textParts(const QString& chapterCaption) const;
    // The verse label: "2 : 255".
    QString label() const;
    qint32 itemData() const;

    // The first three characters of the decimal form are the resource
    // number, the rest the verse number; nothing when they do not read so.
    static std::optional<ResultItem> fromItemData(qint32 itemData);
};
