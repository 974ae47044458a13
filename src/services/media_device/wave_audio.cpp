#include "services/media_device/wave_audio.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>

namespace {

constexpr int kChunkLimit = 64;  // a file with more chunks before its samples is left to decode
constexpr quint16 kPcm = 1;
constexpr quint16 kExtensible = 0xFFFE;

bool isCdFormat(const QByteArray& format) {
  if (format.size() < 16) return false;
  const auto at16 = [&](int at) { return qFromLittleEndian<quint16>(format.constData() + at); };
  quint16 tag = at16(0);
  // An extensible format names its own tag in the first bytes of its sub-format.
  if (tag == kExtensible && format.size() >= 26) tag = at16(24);
  return tag == kPcm && at16(2) == 2 &&
         qFromLittleEndian<quint32>(format.constData() + 4) == 44100 && at16(14) == 16;
}

}  // namespace

std::optional<WaveAudio> cdAudioInWave(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray riff = file.read(12);
  if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE") return std::nullopt;
  bool cdFormat = false;
  for (int chunk = 0; chunk < kChunkLimit; ++chunk) {
    const QByteArray header = file.read(8);
    if (header.size() < 8) return std::nullopt;
    const qint64 size = qFromLittleEndian<quint32>(header.constData() + 4);
    const qint64 body = file.pos();
    if (header.startsWith("fmt ")) {
      cdFormat = isCdFormat(file.read(std::min<qint64>(size, 64)));
    } else if (header.startsWith("data")) {
      if (!cdFormat) return std::nullopt;
      // A file cut short keeps what it has.
      return WaveAudio{body, std::min(size, file.size() - body)};
    }
    // Chunks are padded to an even length.
    if (!file.seek(body + size + (size & 1))) return std::nullopt;
  }
  return std::nullopt;
}
