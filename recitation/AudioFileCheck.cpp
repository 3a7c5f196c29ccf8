#include "AudioFileCheck.h"

#include <QFile>

namespace AudioFileCheck {

bool looksLikeAudio(QByteArrayView head) {
    const auto at = [head](qsizetype offset, QByteArrayView tag) {
        return head.size() >= offset + tag.size() && head.sliced(offset, tag.size()) == tag;
    };
    if (at(0, "ID3") || at(0, "OggS") || at(0, "fLaC") || at(4, "ftyp"))
        return true;
    if (at(0, "RIFF") && at(8, "WAVE"))
        return true;
    // An MPEG audio frame (or ADTS) begins with eleven set bits.
    return head.size() >= 2 && quint8(head[0]) == 0xFF && (quint8(head[1]) & 0xE0) == 0xE0;
}

bool looksLikeAudio(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    return looksLikeAudio(QByteArrayView(in.read(kHeadSize)));
}

} // namespace AudioFileCheck
