#pragma once

#include <QString>

// How the media player treats a file, by its name's extension (the text from its last ".").
enum class MediaKind { MpegAudio, Video, Sound };

MediaKind mediaKindOf(const QString& fileName);
inline bool isVideo(const QString& fileName) { return mediaKindOf(fileName) == MediaKind::Video; }
