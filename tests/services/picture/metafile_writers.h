#pragma once

#include <QRect>
#include <QString>
#include <initializer_list>

#include "picture_test_support.h"

// A packed 2 x 2 bitmap (header and 24-bit pixels, bottom row first).
inline QByteArray packedDib(QRgb topLeft, QRgb topRight, QRgb bottomLeft, QRgb bottomRight) {
  Bytes b;
  b.u32(40).u32(2).u32(2).u16(1).u16(24).u32(0).u32(16).u32(0).u32(0).u32(0).u32(0);
  for (QRgb c : {bottomLeft, bottomRight}) b.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c));
  b.pad(4);
  for (QRgb c : {topLeft, topRight}) b.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c));
  return b.pad(4).data;
}

inline std::uint32_t colourRef(QRgb c) {
  return std::uint32_t(qRed(c) | qGreen(c) << 8 | qBlue(c) << 16);
}

// Windows metafile records, written word by word.
class WmfWriter {
 public:
  WmfWriter& record(int function, std::initializer_list<int> params, const QByteArray& tail = {}) {
    Bytes r;
    for (int p : params) r.u16(p & 0xFFFF);
    r.raw(tail).pad(2);
    body_.u32(3 + r.data.size() / 2).u16(function).raw(r.data);
    return *this;
  }
  WmfWriter& raw(const QByteArray& bytes) {
    body_.raw(bytes);
    return *this;
  }
  WmfWriter& pen(int style, int width, QRgb c) {
    ++objects_;
    return record(0x02FA, {style, width, 0, int(colourRef(c) & 0xFFFF), int(colourRef(c) >> 16)});
  }
  WmfWriter& brush(int style, QRgb c, int hatch = 0) {
    ++objects_;
    return record(0x02FC, {style, int(colourRef(c) & 0xFFFF), int(colourRef(c) >> 16), hatch});
  }
  WmfWriter& font(int height) {
    ++objects_;
    return record(0x02FB, {height, 0, 0, 0, 400, 0, 0, 0, 0},
                  QByteArray("Sans", 5).leftJustified(32, '\0'));
  }
  WmfWriter& select(int object) { return record(0x012D, {object}); }
  WmfWriter& window(QRect r) {
    return record(0x020B, {r.top(), r.left()}).record(0x020C, {r.height(), r.width()});
  }
  WmfWriter& rectangle(QRect r) {
    return record(0x041B, {r.bottom(), r.right(), r.top(), r.left()});
  }
  WmfWriter& ellipse(QRect r) { return record(0x0418, {r.bottom(), r.right(), r.top(), r.left()}); }
  WmfWriter& polygon(std::initializer_list<QPoint> points) {
    std::initializer_list<int> none{};
    Bytes tail;
    for (QPoint p : points) tail.u16(p.x()).u16(p.y());
    return record(0x0324, none, Bytes().u16(int(points.size())).raw(tail.data).data);
  }
  WmfWriter& line(QPoint from, QPoint to) {
    return record(0x0214, {from.y(), from.x()}).record(0x0213, {to.y(), to.x()});
  }
  WmfWriter& text(QPoint at, const QByteArray& text) {
    Bytes b;
    b.u16(text.size()).raw(text).pad(2).u16(at.y()).u16(at.x());
    return record(0x0521, {}, b.data);
  }
  WmfWriter& bitmap(QRect to, const QByteArray& dib) {
    return record(
        0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, to.height(), to.width(), to.top(), to.left()}, dib);
  }

  // The file, with a placeable header for `bounds` at `inch` units per inch
  // when `inch` is not 0.
  QByteArray file(QRect bounds = {}, int inch = 0) const {
    Bytes f;
    if (inch) {
      Bytes p;
      p.u32(0x9AC6CDD7).u16(0).u16(bounds.left()).u16(bounds.top());
      p.u16(bounds.left() + bounds.width()).u16(bounds.top() + bounds.height()).u16(inch).u32(0);
      int sum = 0;
      for (int i = 0; i < 20; i += 2) sum ^= quint8(p.data[i]) | quint8(p.data[i + 1]) << 8;
      f.raw(p.data).u16(sum);
    }
    const QByteArray end = Bytes().u32(3).u16(0).data;
    f.u16(1)
        .u16(9)
        .u16(0x300)
        .u32(9 + (body_.data.size() + end.size()) / 2)
        .u16(objects_)
        .u32(0)
        .u16(0);
    return f.raw(body_.data).raw(end).data;
  }

 private:
  Bytes body_;
  int objects_ = 0;
};

// Enhanced metafile records; the header says the picture is `frame` (0.01 mm)
// on a reference device of 10 pixels per millimetre.
class EmfWriter {
 public:
  EmfWriter& record(int type, std::initializer_list<std::int64_t> values,
                    const QByteArray& tail = {}) {
    Bytes r;
    for (auto v : values) r.u32(v);
    r.raw(tail).pad(4);
    body_.u32(type).u32(8 + r.data.size()).raw(r.data);
    ++records_;
    return *this;
  }
  EmfWriter& raw(const QByteArray& bytes) {
    body_.raw(bytes);
    return *this;
  }
  EmfWriter& pen(int handle, int width, QRgb c) {
    return record(38, {handle, 0, width, 0, colourRef(c)});
  }
  EmfWriter& brush(int handle, QRgb c) { return record(39, {handle, 0, colourRef(c), 0}); }
  EmfWriter& select(std::int64_t handle) { return record(37, {handle}); }
  EmfWriter& rectangle(QRect r) { return record(43, {r.left(), r.top(), r.right(), r.bottom()}); }
  EmfWriter& ellipse(QRect r) { return record(42, {r.left(), r.top(), r.right(), r.bottom()}); }
  EmfWriter& polygon16(std::initializer_list<QPoint> points) {
    Bytes tail;
    for (QPoint p : points) tail.u16(p.x()).u16(p.y());
    return record(86, {0, 0, 0, 0, std::int64_t(points.size())}, tail.data);
  }
  EmfWriter& line(QPoint from, QPoint to) {
    return record(27, {from.x(), from.y()}).record(54, {to.x(), to.y()});
  }
  EmfWriter& text(QPoint at, const QString& text) {
    Bytes tail;
    for (QChar c : text) tail.u16(c.unicode());
    // bounds, graphics mode, scales, reference, count, offset, options, rectangle, dx offset
    return record(84, {0, 0, 0, 0, 1, 0, 0, at.x(), at.y(), text.size(), 76, 0, 0, 0, 0, 0, 0},
                  tail.data);
  }
  EmfWriter& font(int handle, int height) {
    Bytes tail;
    tail.u32(std::uint32_t(height)).u32(0).u32(0).u32(0).u32(400).u32(0).u32(0);
    for (QChar c : QStringLiteral("Sans").leftJustified(32, QChar(0))) tail.u16(c.unicode());
    return record(82, {handle}, tail.data);
  }
  EmfWriter& bitmap(QRect to, const QByteArray& dib) {
    // bounds, destination, source, offsets to header and bits, usage, rop, destination size
    return record(81,
                  {0, 0, 0, 0, to.left(), to.top(), 0, 0, 2, 2, 80, 40, 120, dib.size() - 40, 0,
                   0x00CC0020, to.width(), to.height()},
                  dib);
  }

  QByteArray file(QRect frame, int handles = 8) const {
    const QByteArray end = Bytes().u32(14).u32(20).u32(0).u32(0).u32(20).data;
    Bytes h;
    const QRect device(frame.left() / 10, frame.top() / 10, frame.width() / 10,
                       frame.height() / 10);
    h.u32(1).u32(88);
    h.u32(device.left()).u32(device.top()).u32(device.right()).u32(device.bottom());
    h.u32(frame.left()).u32(frame.top()).u32(frame.right()).u32(frame.bottom());
    h.u32(0x464D4520).u32(0x10000).u32(88 + body_.data.size() + end.size()).u32(records_ + 2);
    h.u16(handles).u16(0).u32(0).u32(0).u32(0);
    h.u32(1000).u32(1000).u32(100).u32(100);
    return h.raw(body_.data).raw(end).data;
  }

 private:
  Bytes body_;
  int records_ = 0;
};

// A picture of 100 x 100 units: lines, shapes, text and a bitmap.
inline QByteArray sampleWmf(bool placeable) {
  WmfWriter w;
  if (!placeable) w.window(QRect(0, 0, 100, 100));
  w.pen(0, 0, qRgb(0, 0, 0)).brush(0, qRgb(255, 0, 0)).select(0).select(1);
  w.rectangle(QRect(QPoint(5, 5), QPoint(40, 30)));
  w.brush(0, qRgb(0, 255, 0)).select(2).ellipse(QRect(QPoint(50, 5), QPoint(95, 30)));
  w.brush(0, qRgb(0, 0, 255)).select(3).polygon({{5, 95}, {45, 95}, {5, 55}});
  w.record(0x081A, {62, 90, 70, 98, 78, 98, 62, 82});  // pie from east to north
  w.line(QPoint(50, 40), QPoint(95, 40));
  w.font(-12).select(4).text(QPoint(50, 45), "Hi");
  w.bitmap(QRect(60, 70, 20, 20),
           packedDib(qRgb(255, 255, 0), qRgb(0, 0, 255), qRgb(255, 0, 0), qRgb(0, 255, 0)));
  return placeable ? w.file(QRect(0, 0, 100, 100), 96) : w.file();
}

// The same picture as an enhanced metafile, 254 device pixels square.
inline QByteArray sampleEmf() {
  EmfWriter e;
  e.pen(1, 0, qRgb(0, 0, 0)).brush(2, qRgb(255, 0, 0)).select(1).select(2);
  e.rectangle(QRect(QPoint(13, 13), QPoint(102, 76)));
  e.brush(3, qRgb(0, 255, 0)).select(3).ellipse(QRect(QPoint(127, 13), QPoint(241, 76)));
  e.brush(4, qRgb(0, 0, 255)).select(4).polygon16({{13, 241}, {114, 241}, {13, 140}});
  e.record(47, {208, 157, 249, 198, 249, 178, 228, 157});  // pie from east to north
  e.line(QPoint(127, 102), QPoint(241, 102));
  e.font(5, -30).select(5).text(QPoint(127, 114), "Hi");
  e.bitmap(QRect(152, 178, 51, 51),
           packedDib(qRgb(255, 255, 0), qRgb(0, 0, 255), qRgb(255, 0, 0), qRgb(0, 255, 0)));
  return e.file(QRect(0, 0, 2540, 2540));
}
