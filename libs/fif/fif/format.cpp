#include "fif/format.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fif/range_coder.h"

namespace fif {

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

unsigned get16(const std::uint8_t* p) { return unsigned(p[0]) | unsigned(p[1]) << 8; }

std::uint32_t get32(const std::uint8_t* p) { return get16(p) | std::uint32_t(get16(p + 2)) << 16; }

[[noreturn]] void corrupt(const std::string& what) {
  throw FormatError(FormatFault::Corrupt, what);
}

int bitsFor(int count) {
  int bits = 0;
  while ((1 << bits) < count) ++bits;
  return bits;
}

// The adaptive contexts of one plane; luminance and chroma learn apart.
struct PlaneModels {
  BitModel split[kMaxRangeLog2 + 1];
  SymbolModel<5> contrast;
  BitModel negative;
  SymbolModel<7> meanDelta;
  SymbolModel<3> isometry;
  int previousMean = 64;
};

// Visits the quadtree of a plane in file order: top-level blocks row by row,
// the four quarters of a split block in reading order.
template <class Visit>
void forEachTopBlock(const Header& header, int width, int height, Visit visit) {
  if (width == 0 || height == 0) return;
  const int top = 1 << header.maxRangeLog2;
  const int paddedW = paddedSide(width, header.maxRangeLog2);
  const int paddedH = paddedSide(height, header.maxRangeLog2);
  for (int y = 0; y < paddedH; y += top)
    for (int x = 0; x < paddedW; x += top) visit(x, y, top, paddedW, paddedH);
}

void writeLeaf(RangeEncoder& coder, PlaneModels& m, const Transform& t, int paddedW, int paddedH) {
  m.contrast.encode(coder, t.flat ? 0 : unsigned(std::abs(t.contrast)));
  m.meanDelta.encode(coder, unsigned(t.mean - m.previousMean) & 127);
  m.previousMean = t.mean;
  if (t.flat) return;
  coder.encode(m.negative, t.contrast < 0 ? 1 : 0);
  m.isometry.encode(coder, unsigned(t.isometry));
  const int step = domainStep(t.size);
  const int across = domainCount(paddedW, t.size);
  coder.encodeDirect(std::uint32_t((t.domainY / step) * across + t.domainX / step),
                     domainIndexBits(paddedW, paddedH, t.size));
}

Transform readLeaf(RangeDecoder& coder, PlaneModels& m, int x, int y, int size, int paddedW,
                   int paddedH) {
  if (coder.overrun()) corrupt("the transforms are cut short");
  Transform t;
  t.x = std::uint16_t(x);
  t.y = std::uint16_t(y);
  t.size = std::uint8_t(size);
  const int magnitude = int(m.contrast.decode(coder));
  t.flat = magnitude == 0;
  t.mean = std::uint8_t((unsigned(m.previousMean) + m.meanDelta.decode(coder)) & 127);
  m.previousMean = t.mean;
  if (t.flat) return t;
  t.contrast = std::int8_t(coder.decode(m.negative) ? -magnitude : magnitude);
  t.isometry = std::uint8_t(m.isometry.decode(coder));
  const int step = domainStep(size);
  const int across = domainCount(paddedW, size);
  const int count = across * domainCount(paddedH, size);
  if (count == 0) corrupt("a block refers to a domain that cannot exist");
  const auto index = int(coder.decodeDirect(bitsFor(count)));
  if (index >= count) corrupt("a domain index is out of range");
  t.domainX = std::uint16_t((index % across) * step);
  t.domainY = std::uint16_t((index / across) * step);
  return t;
}

// The encoder's transforms arrive in file order; a split is implied by the
// next transform being smaller than the block being visited.
class PlaneWriter {
 public:
  PlaneWriter(RangeEncoder& coder, const Header& header, const Plane& plane)
      : coder_(coder), header_(header), plane_(plane) {}

  void write() {
    forEachTopBlock(header_, plane_.width, plane_.height,
                    [this](int x, int y, int size, int w, int h) { block(x, y, size, w, h); });
    if (next_ != plane_.transforms.size())
      throw std::logic_error("transforms do not tile the plane");
  }

 private:
  void block(int x, int y, int size, int paddedW, int paddedH) {
    if (next_ >= plane_.transforms.size())
      throw std::logic_error("transforms do not tile the plane");
    const Transform& t = plane_.transforms[next_];
    const int level = bitsFor(size);
    const bool split = t.size < size;
    if (level > header_.minRangeLog2) coder_.encode(models_.split[level], split ? 1 : 0);
    if (!split) {
      writeLeaf(coder_, models_, t, paddedW, paddedH);
      ++next_;
      return;
    }
    const int half = size / 2;
    for (int q = 0; q < 4; ++q)
      block(x + (q & 1) * half, y + (q >> 1) * half, half, paddedW, paddedH);
  }

  RangeEncoder& coder_;
  const Header& header_;
  const Plane& plane_;
  PlaneModels models_;
  std::size_t next_ = 0;
};

// `left` counts down the transforms the file may still carry, so a crafted
// file is refused as it claims too many, before they are all in memory.
class PlaneReader {
 public:
  PlaneReader(RangeDecoder& coder, const Header& header, Plane& plane, std::size_t& left)
      : coder_(coder), header_(header), plane_(plane), left_(left) {}

  void read() {
    forEachTopBlock(header_, plane_.width, plane_.height,
                    [this](int x, int y, int size, int w, int h) { block(x, y, size, w, h); });
  }

 private:
  void block(int x, int y, int size, int paddedW, int paddedH) {
    const int level = bitsFor(size);
    const bool split = level > header_.minRangeLog2 && coder_.decode(models_.split[level]);
    if (!split) {
      if (left_ == 0) throw std::length_error("the file carries too many blocks");
      --left_;
      plane_.transforms.push_back(readLeaf(coder_, models_, x, y, size, paddedW, paddedH));
      return;
    }
    const int half = size / 2;
    for (int q = 0; q < 4; ++q)
      block(x + (q & 1) * half, y + (q >> 1) * half, half, paddedW, paddedH);
  }

  RangeDecoder& coder_;
  const Header& header_;
  Plane& plane_;
  PlaneModels models_;
  std::size_t& left_;
};

}  // namespace

int planeCount(ColourModel colour) { return colour == ColourModel::Grey ? 1 : 3; }

void planeSize(const Header& header, int plane, int& width, int& height) {
  const bool chroma = plane > 0;
  width = chroma ? (header.width + 1) / 2 : header.width;
  height = chroma ? (header.height + 1) / 2 : header.height;
}

int paddedSide(int side, int maxRangeLog2) {
  const int top = 1 << maxRangeLog2;
  return (side + top - 1) / top * top;
}

void paddedPlaneSize(const Header& header, int plane, int& width, int& height) {
  planeSize(header, plane, width, height);
  width = paddedSide(width, header.maxRangeLog2);
  height = paddedSide(height, header.maxRangeLog2);
}

int domainIndexBits(int paddedWidth, int paddedHeight, int rangeSize) {
  return bitsFor(domainCount(paddedWidth, rangeSize) * domainCount(paddedHeight, rangeSize));
}

int domainStep(int rangeSize) { return std::max(rangeSize, 8); }

std::vector<Transform> plainBlocks(const Header& header, int width, int height) {
  std::vector<Transform> blocks;
  forEachTopBlock(header, width, height, [&](int x, int y, int size, int, int) {
    Transform& t = blocks.emplace_back();
    t.x = std::uint16_t(x);
    t.y = std::uint16_t(y);
    t.size = std::uint8_t(size);
    t.flat = true;
    t.mean = 64;
  });
  return blocks;
}

int domainCount(int paddedSide, int rangeSize) {
  return paddedSide >= 2 * rangeSize ? (paddedSide - 2 * rangeSize) / domainStep(rangeSize) + 1 : 0;
}

float contrastValue(int contrast) { return float(contrast) / 16.0f; }

float meanValue(int mean) { return float(2 * mean + 1); }

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

LumaPlane lumaOf(const FifFile& file, std::size_t plane) {
  if (plane == 0 || file.planes.empty()) return {};
  LumaPlane luma{&file.planes.front().residual};
  paddedPlaneSize(file.header, 0, luma.paddedW, luma.paddedH);
  return luma;
}

std::vector<std::uint8_t> writeFile(const FifFile& file) {
  const Header& h = file.header;
  RangeEncoder coder(h.version >= 6);
  for (std::size_t p = 0; p < file.planes.size(); ++p) {
    const Plane& plane = file.planes[p];
    BitModel plainModel;
    // Only a residual can draw on plain blocks (see readFile).
    const bool plain = h.version >= 4 && plane.residual.stepCode != 0 &&
                       plane.transforms == plainBlocks(h, plane.width, plane.height);
    if (h.version >= 4) coder.encode(plainModel, plain);
    if (!plain) PlaneWriter(coder, h, plane).write();
    const int paddedW = paddedSide(plane.width, h.maxRangeLog2);
    const int paddedH = paddedSide(plane.height, h.maxRangeLog2);
    if (h.version >= 3)
      writeResidual(coder, plane.residual, paddedW, paddedH, h.version, lumaOf(file, p));
    if (h.version >= 6 && plane.residual.stepCode != 0)
      writeRestoration(coder, plane.restoration, paddedW);
  }
  const std::vector<std::uint8_t> payload = coder.finish();

  std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));
  out.push_back(std::uint8_t(h.version));
  out.push_back(kVersionMinor);
  put16(out, unsigned(h.width));
  put16(out, unsigned(h.height));
  out.push_back(std::uint8_t(h.colour));
  out.push_back(std::uint8_t(h.maxRangeLog2));
  out.push_back(std::uint8_t(h.minRangeLog2));
  out.push_back(0);
  put16(out, unsigned(h.colourTable.size()));
  put32(out, std::uint32_t(payload.size()));
  put32(out, crc32(payload.data(), payload.size()));
  for (std::uint32_t c : h.colourTable) {
    out.push_back(std::uint8_t(c >> 16));
    out.push_back(std::uint8_t(c >> 8));
    out.push_back(std::uint8_t(c));
  }
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

Header readHeader(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0)
    throw FormatError(FormatFault::NotFif, "not a fractal image file");
  if (size < std::size_t(kHeaderSize)) corrupt("the header is cut short");
  if (data[8] < kOldestVersionMajor || data[8] > kVersionMajor)
    throw FormatError(FormatFault::Version, "the file needs a newer decoder");
  Header h;
  h.version = data[8];
  h.width = int(get16(data + 10));
  h.height = int(get16(data + 12));
  if (h.width > kMaxSide || h.height > kMaxSide || (h.width == 0) != (h.height == 0))
    corrupt("the picture size is impossible");
  if (data[14] > std::uint8_t(ColourModel::YCbCr420)) corrupt("unknown colour model");
  h.colour = ColourModel(data[14]);
  h.maxRangeLog2 = data[15];
  h.minRangeLog2 = data[16];
  if (h.minRangeLog2 < kMinRangeLog2 || h.maxRangeLog2 > kMaxRangeLog2 ||
      h.minRangeLog2 > h.maxRangeLog2)
    corrupt("impossible block sizes");
  const unsigned colours = get16(data + 18);
  if (colours > kMaxColours) corrupt("the colour table is too long");
  const std::size_t tableEnd = std::size_t(kHeaderSize) + colours * 3;
  if (size < tableEnd) corrupt("the colour table is cut short");
  for (unsigned i = 0; i < colours; ++i) {
    const std::uint8_t* c = data + kHeaderSize + i * 3;
    h.colourTable.push_back(std::uint32_t(c[0]) << 16 | std::uint32_t(c[1]) << 8 | c[2]);
  }
  return h;
}

FifFile readFile(const std::uint8_t* data, std::size_t size, std::size_t maxTransforms) {
  FifFile file;
  file.header = readHeader(data, size);
  const std::size_t payloadStart = kHeaderSize + file.header.colourTable.size() * 3;
  const std::uint32_t payloadSize = get32(data + 20);
  if (size - payloadStart != payloadSize) corrupt("the file's length does not match its header");
  if (crc32(data + payloadStart, payloadSize) != get32(data + 24)) corrupt("the file is damaged");
  RangeDecoder coder(data + payloadStart, payloadSize, file.header.version >= 6);
  for (int p = 0; p < planeCount(file.header.colour); ++p) {
    Plane& plane = file.planes.emplace_back();
    planeSize(file.header, p, plane.width, plane.height);
    BitModel plainModel;
    const bool plain = file.header.version >= 4 && coder.decode(plainModel);
    if (plain)
      plane.transforms = plainBlocks(file.header, plane.width, plane.height);
    else
      PlaneReader(coder, file.header, plane, maxTransforms).read();
    // Residual squares tile only planes padded to whole squares.
    const int paddedW = paddedSide(plane.width, file.header.maxRangeLog2);
    const int paddedH = paddedSide(plane.height, file.header.maxRangeLog2);
    if (file.header.version >= 3)
      plane.residual =
          readResidual(coder, paddedW, paddedH, (1 << file.header.maxRangeLog2) >= kResidualSide,
                       file.header.version, lumaOf(file, std::size_t(p)));
    if (file.header.version >= 6 && plane.residual.stepCode != 0)
      plane.restoration = readRestoration(coder, paddedW, paddedH, p > 0);
    // Plain blocks cost a bit for a whole plane: without a residual they
    // would let a tiny file claim a huge picture.
    if (plain && plane.residual.stepCode == 0) corrupt("plain blocks with no residual");
  }
  return file;
}

}  // namespace fif
