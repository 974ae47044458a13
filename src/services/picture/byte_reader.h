#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// Little-endian reads at given offsets of bytes we do not trust: every read
// is checked, and reading past the end raises InvalidGraphic naming what was
// being read.
class ByteReader {
 public:
  ByteReader(QByteArrayView bytes, QString what) : bytes_(bytes), what_(std::move(what)) {}

  qint64 size() const { return bytes_.size(); }
  bool has(qint64 at, qint64 length) const {
    return at >= 0 && length >= 0 && at <= size() && length <= size() - at;
  }

  quint8 u8(qint64 at) const { return quint8(slice(at, 1)[0]); }
  quint16 u16(qint64 at) const { return quint16(u8(at) | u8(at + 1) << 8); }
  qint16 s16(qint64 at) const { return qint16(u16(at)); }
  quint32 u32(qint64 at) const { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; }
  qint32 s32(qint64 at) const { return qint32(u32(at)); }
  float f32(qint64 at) const;
  QByteArrayView slice(qint64 at, qint64 length) const;

  [[noreturn]] void fail(const QString& problem) const;

 private:
  QByteArrayView bytes_;
  QString what_;
};

// Little-endian writes for the formats we save.
class ByteWriter {
 public:
  void u8(quint8 value) { bytes_.append(char(value)); }
  void u16(quint16 value) {
    u8(quint8(value));
    u8(quint8(value >> 8));
  }
  void u32(quint32 value) {
    u16(quint16(value));
    u16(quint16(value >> 16));
  }
  void s32(qint32 value) { u32(quint32(value)); }
  void raw(QByteArrayView bytes) { bytes_.append(bytes); }
  void putU32(qint64 at, quint32 value);
  const QByteArray& bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
};
