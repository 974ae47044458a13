#include "services/picture/byte_reader.h"

#include <cstring>

#include "services/picture/picture_error.h"

float ByteReader::f32(qint64 at) const {
  const quint32 bits = u32(at);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

QByteArrayView ByteReader::slice(qint64 at, qint64 length) const {
  if (!has(at, length)) fail(QStringLiteral("is truncated"));
  return bytes_.sliced(at, length);
}

void ByteReader::fail(const QString& problem) const {
  throw InvalidGraphic(what_ + QLatin1Char(' ') + problem);
}

void ByteWriter::putU32(qint64 at, quint32 value) {
  for (int i = 0; i < 4; ++i) bytes_[at + i] = char(value >> (8 * i));
}
