#include "windows/media/media_kind.h"

MediaKind mediaKindOf(const QString& fileName) {
  const qsizetype dot = fileName.lastIndexOf('.');
  const QString extension = dot < 0 ? QString() : fileName.mid(dot).toUpper();
  if (extension == ".MP2" || extension == ".MP3") return MediaKind::MpegAudio;
  if (extension == ".AVI" || extension == ".MPG" || extension == ".DAT") return MediaKind::Video;
  return MediaKind::Sound;
}
