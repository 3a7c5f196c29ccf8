#pragma once

#include <QByteArray>
#include <QStringList>

// The copyright block that heads the Tanzil text files. Its licence asks for
// it to travel, unchanged, with the text and with everything derived from it.
class TanzilNotice {
public:
    // The block's lines exactly as they stand in the file, '#' marks kept:
    // from "# PLEASE DO NOT REMOVE OR CHANGE THIS COPYRIGHT BLOCK" up to and
    // including the second "#====" rule. Empty when the block is not there or
    // is cut short.
    static QStringList extract(const QByteArray& fileText);

    // A block line without its comment mark: the leading '#' and the one
    // space after it, if any.
    static QString withoutCommentMark(const QString& line);
};
