#include "services/picture/icon.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QIODevice>
#include <QImageReader>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "services/picture/byte_reader.h"
#include "services/picture/dib.h"
#include "services/picture/picture_error.h"
#include "services/picture/picture_limits.h"

namespace {

constexpr int kStandardSide = 32;
constexpr qint64 kEntrySize = 16;
const QByteArray kPngSignature("\x89PNG\r\n\x1A\n", 8);

struct Entry {
  QByteArrayView image;
  int width;
  int height;
  int depth;
};

int screenDepth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->depth() : 32;
}

std::vector<Entry> readEntries(const ByteReader& in) {
  if (in.u16(0) != 0 || in.u16(2) != 1) in.fail(QStringLiteral("has no icon signature"));
  const int count = in.u16(4);
  if (count == 0) in.fail(QStringLiteral("holds no images"));
  std::vector<Entry> entries;
  for (int i = 0; i < count; ++i) {
    const qint64 at = 6 + i * kEntrySize;
    const QByteArrayView image = in.slice(in.u32(at + 12), in.u32(at + 8));
    const int width = in.u8(at) ? in.u8(at) : 256;
    const int height = in.u8(at + 1) ? in.u8(at + 1) : 256;
    const bool png = image.startsWith(kPngSignature);
    const int depth = png ? 32 : readDibHeader(image).bitCount;
    entries.push_back({image, width, height, depth});
  }
  return entries;
}

// Closest to the standard size first; then the deepest colour the screen
// can show, or the shallowest when all are too deep.
const Entry& choose(const std::vector<Entry>& entries, int side, int depth) {
  auto distance = [side](const Entry& e) {
    return std::abs(e.width - side) + std::abs(e.height - side);
  };
  auto better = [&](const Entry& a, const Entry& b) {
    if (distance(a) != distance(b)) return distance(a) < distance(b);
    const bool aFits = a.depth <= depth, bFits = b.depth <= depth;
    if (aFits != bFits) return aFits;
    return aFits ? a.depth > b.depth : a.depth < b.depth;
  };
  const Entry* best = &entries.front();
  for (const Entry& entry : entries)
    if (better(entry, *best)) best = &entry;
  return *best;
}

QImage readPng(QByteArrayView bytes) {
  QByteArray copy = bytes.toByteArray();
  QBuffer buffer(&copy);
  QImageReader reader(&buffer, "png");
  const QSize size = reader.size();
  picture_limits::checkSize(size.width(), size.height());
  QImage image = reader.read();
  if (image.isNull()) throw InvalidGraphic(QStringLiteral("Icon image is damaged"));
  return image.convertToFormat(QImage::Format_ARGB32);
}

bool hasAlpha(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    if (std::any_of(line, line + image.width(), [](QRgb p) { return qAlpha(p) != 0; })) return true;
  }
  return false;
}

// The colour image is followed by a one-bit mask, both bottom-up; a set mask
// bit leaves the pixel undrawn. 32-bit images may carry their own alpha
// instead, in the byte that is otherwise padding.
QImage readMaskedDib(QByteArrayView bytes) {
  DibHeader header = readDibHeader(bytes);
  header.height /= 2;
  if (header.bitCount == 32) header.masks[3] = 0xFF000000;
  const QByteArrayView bits = bytes.sliced(header.size);
  QImage image = decodeDib(header, bits).image.convertToFormat(QImage::Format_ARGB32);
  if (header.bitCount == 32 && hasAlpha(image)) return image;
  const ByteReader mask(bits, QStringLiteral("Icon mask"));
  const qint64 start = dibStride(header.width, header.bitCount) * header.height;
  const qint64 stride = dibStride(header.width, 1);
  for (int row = 0; row < image.height(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(image.height() - 1 - row));
    for (int x = 0; x < image.width(); ++x) {
      const bool clear = mask.u8(start + row * stride + x / 8) & (0x80 >> (x % 8));
      line[x] = clear ? 0 : line[x] | 0xFF000000;
    }
  }
  return image;
}

}  // namespace

QImage readIconFile(QByteArrayView bytes, int side, int depth) {
  const ByteReader in(bytes, QStringLiteral("Icon"));
  const std::vector<Entry> entries = readEntries(in);
  const Entry& entry = choose(entries, side, depth);
  return entry.image.startsWith(kPngSignature) ? readPng(entry.image) : readMaskedDib(entry.image);
}

void Icon::LoadFromStream(QIODevice& stream) {
  QByteArray bytes = stream.readAll();
  QImage image = readIconFile(bytes, kStandardSide, screenDepth());
  setData(std::move(bytes), std::move(image));
}
