#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "fif/residual.h"
#include "fif/restoration.h"

// The layout of a .fif file (docs/fif-format.md): a fixed header, an optional
// colour table, then one range-coded payload holding the partition, the
// block transforms and the residual of every plane.
namespace fif {

constexpr std::uint8_t kSignature[8] = {'C', 'V', 'F', 'I', 'F', '\r', '\n', 0x1A};
constexpr int kVersionMajor = 11;
constexpr int kVersionMinor = 0;
// Files of the version before the residual still read: blocks alone.
constexpr int kOldestVersionMajor = 2;
constexpr int kHeaderSize = 28;
constexpr int kMaxSide = 32767;
constexpr int kMaxColours = 256;
// Range blocks are squares of 2 to 32 pixels; domains are twice as large.
constexpr int kMinRangeLog2 = 1;
constexpr int kMaxRangeLog2 = 5;
// Contrasts beyond one let small blocks keep edges and points that
// shrinking a domain blurs.
constexpr int kMaxContrast = 31;

enum class ColourModel : std::uint8_t { Grey = 0, YCbCr420 = 1 };

// Why a file cannot be read; the library turns each into its status code.
enum class FormatFault { NotFif, Version, Corrupt };

class FormatError : public std::runtime_error {
 public:
  FormatError(FormatFault fault, const std::string& what)
      : std::runtime_error(what), fault(fault) {}
  const FormatFault fault;
};

struct Header {
  int version = kVersionMajor;
  int width = 0;
  int height = 0;
  ColourModel colour = ColourModel::Grey;
  int maxRangeLog2 = kMaxRangeLog2;
  int minRangeLog2 = kMinRangeLog2;
  // 0x00RRGGBB entries of a palette picture; empty otherwise.
  std::vector<std::uint32_t> colourTable;
};

// One range block and how it is made from the picture itself.
// Kept small: a large picture has millions of them.
struct Transform {
  std::uint16_t x = 0, y = 0;  // the range block in plane pixels
  std::uint16_t domainX = 0, domainY = 0;
  std::uint8_t size = 0;
  bool flat = false;  // filled with its mean; no domain
  std::uint8_t isometry = 0;  // 0..7, see isometry.h
  std::int8_t contrast = 0;  // -31..31 but not 0: sixteenths
  std::uint8_t mean = 0;  // 0..127: the mean is 2 * mean + 1
  bool operator==(const Transform&) const = default;
};

struct Plane {
  int width = 0, height = 0;  // of the picture plane
  std::vector<Transform> transforms;
  Residual residual;  // none in files of version 2
  RestorationFilter restoration;  // from version 6, on planes with a residual
};

struct FifFile {
  Header header;
  std::vector<Plane> planes;  // luminance, then blue and red chroma
};

// The luminance that plane `plane` of `file` foretells its means from
// (version 9): none for the luminance itself.
LumaPlane lumaOf(const FifFile& file, std::size_t plane);

std::vector<std::uint8_t> writeFile(const FifFile& file);
// Checks every field; throws FormatError, and std::length_error once the file
// carries more than `maxTransforms` transforms in all.
FifFile readFile(const std::uint8_t* data, std::size_t size,
                 std::size_t maxTransforms = std::numeric_limits<std::size_t>::max());
Header readHeader(const std::uint8_t* data, std::size_t size);

// Sizes shared by the encoder and the decoder.
int planeCount(ColourModel colour);
void planeSize(const Header& header, int plane, int& width, int& height);
// Planes are coded padded to whole top-level blocks.
int paddedSide(int side, int maxRangeLog2);
void paddedPlaneSize(const Header& header, int plane, int& width, int& height);
int domainStep(int rangeSize);
// One flat block of one mean for each top-level block: the blocks of a plane
// its residual draws alone. Files from version 4 store them in one bit.
std::vector<Transform> plainBlocks(const Header& header, int width, int height);
int domainCount(int paddedSide, int rangeSize);
// Domain indices are stored in this many plain bits.
int domainIndexBits(int paddedWidth, int paddedHeight, int rangeSize);
float contrastValue(int contrast);
float meanValue(int mean);
// The check value the header keeps of the payload.
std::uint32_t crc32(const std::uint8_t* data, std::size_t size);

}  // namespace fif
