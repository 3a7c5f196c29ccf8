#pragma once

#include <QByteArrayView>
#include <QString>

// A quick look at a recitation file before it is handed to the media player:
// an empty file, or one whose first bytes are no audio format the player
// reads, is skipped at once instead of costing a media pipeline.  Only the
// first bytes are read; a file that passes may still fail to decode.
namespace AudioFileCheck {

// How many bytes `looksLikeAudio(QByteArrayView)` needs to decide.
inline constexpr int kHeadSize = 12;

// Whether the bytes open an MP3 (an ID3 tag or an MPEG frame), a WAVE, an
// Ogg (Vorbis, Opus), a FLAC or an MP4 (m4a) stream.
bool looksLikeAudio(QByteArrayView head);
// Whether the file is there, not empty, and its first bytes look like audio.
bool looksLikeAudio(const QString& file);

} // namespace AudioFileCheck
