// Fractal pictures against JPEG, WebP, AVIF and JPEG XL on photographs, like
// with like:
// - each photograph's 512 x 512 centre at its own resolution;
// - for each target rate, the fractal quality whose file comes nearest below
//   it, then JPEG as people make it (4:2:0, optimised tables; libjpeg), WebP
//   (cwebp -q), AVIF (avifenc, libaom at speed 4, 4:2:0, one quantiser) and
//   JPEG XL (cjxl -e 7 -q) at the largest quality whose file is no larger;
// - the enlargement: from the picture halved, at the same bytes, the fractal
//   file decoded at twice the size against each other codec's decoded and
//   enlarged with a Lanczos filter, all compared with the full-size original;
// - luminance PSNR throughout; fractal encode and decode times, each the
//   median of five runs (wall clock, and the processor time in brackets,
//   which other work on a shared machine does not inflate).
// The photographs are in two sets: the codec may be tuned on the training
// set; the summary reports the held-out set only.
//   fif_bench [--training] [--against all|none|webp,avif,jpegxl] [picture ...]
//   (default: the photographs of mate-backgrounds, against every codec)
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <utility>

#include "codec_test_support.h"
#include "fif/decoder.h"
#include "fif/format.h"
#include "fif/qimage_conversion.h"
#include "jpeg_writer.h"
#include "services/picture/jpeg_decoder.h"

namespace {

constexpr int kSide = 512;
constexpr double kRates[] = {0.2, 0.6, 1.0};
constexpr double kEncodeTargetMs = 2000, kDecodeTargetMs = 50;
const char* const kPhotographs = "/usr/share/backgrounds/mate/nature";
// Looked at while tuning the codec; never part of the summary.
const QStringList kTraining = {"Aqua", "Blinds", "Dune", "FreshFlower"};

using Bytes = std::vector<std::uint8_t>;

double bitsPerPixel(qint64 bytes, const fif::RgbImage& image) {
  return double(bytes) * 8 / (image.width * image.height);
}

struct Timing {
  double wallMs = 0, cpuMs = 0;
};

// How often each encode and decode is timed: the median of several, wall clock
// and processor time each taken on its own, so one run the machine slowed
// (another process, the cache, a page fault) does not stand for the file.
constexpr int kTimings = 5;

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <class Work>
auto timed(Work work, Timing& timing) {
  std::vector<double> wallMs, cpuMs;
  decltype(work()) result;
  for (int run = 0; run < kTimings; ++run) {
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpu = std::clock();
    result = work();
    wallMs.push_back(double(wall.nsecsElapsed()) / 1e6);
    cpuMs.push_back(double(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC);
  }
  timing = {median(wallMs), median(cpuMs)};
  return result;
}

// How far past where the search stops it still looks: files mostly grow
// with quality, but not always (the fractal encoder's choice between its two
// codings can make the next quality's file the smaller).
constexpr int kLookPast = 4;

// The quality in 1..highest whose file is the largest within `bytes`; 0 when
// none within kLookPast of the search's end fits.
template <class Encode>
int largestWithin(qint64 bytes, Encode encode, int highest = 100) {
  int best = 0, low = 1, high = highest;
  qint64 largest = -1;
  const auto weigh = [&](int quality) {
    const qint64 size = qint64(encode(quality).size());
    if (size > bytes) return false;
    if (size > largest) {
      best = quality;
      largest = size;
    }
    return true;
  };
  while (low <= high) {
    const int quality = (low + high) / 2;
    if (weigh(quality))
      low = quality + 1;
    else
      high = quality - 1;
  }
  for (int quality = best + 1; quality <= std::min(highest, best + kLookPast); ++quality)
    weigh(quality);
  return best;
}

struct Coded {
  qint64 bytes = 0;
  fif::RgbImage decoded;
};

struct Fractal {
  Bytes file;
  Timing encode, decode;
};

// The fractal file nearest below the rate (quality 1 when none fits), timed
// alone once chosen.
Fractal fractalAt(const fif::RgbImage& image, double rate) {
  const qint64 budget = qint64(rate * image.width * image.height / 8);
  const int quality = std::max(1, largestWithin(budget, [&](int q) { return encodeAt(image, q); }));
  Fractal fractal;
  fractal.file = timed([&] { return encodeAt(image, quality); }, fractal.encode);
  return fractal;
}

// Whether the encoder kept self-similar blocks under the luminance's
// residual rather than plain ones: what the blocks earn on photographs.
bool keepsSelfSimilarBlocks(const Fractal& fractal) {
  const fif::FifFile file = fif::readFile(fractal.file.data(), fractal.file.size());
  const fif::Plane& luma = file.planes[0];
  return luma.transforms != fif::plainBlocks(file.header, luma.width, luma.height);
}

fif::RgbImage decodeFractal(Fractal& fractal, int width, int height) {
  return timed(
      [&] {
        return fif::render(fif::readFile(fractal.file.data(), fractal.file.size()), width, height);
      },
      fractal.decode);
}

std::optional<Coded> jpegWithin(const fif::RgbImage& image, qint64 bytes) {
  const QImage picture = fif::toQImage(image);
  const auto encode = [&](int quality) {
    return encodeJpeg(picture, quality, false, false, JpegStyle::Usual);
  };
  const int quality = largestWithin(bytes, encode);
  if (quality == 0) return std::nullopt;
  const QByteArray file = encode(quality);
  return Coded{file.size(), fif::fromQImage(decodeJpeg(file, false))};
}

// An outside codec run through its own programs (Debian's packages), at their
// defaults but for the quality and what the comparison fixes. "%in" and
// "%out" in the arguments stand for the files.
struct OutsideTool {
  const char* name;
  const char* encoder;
  QStringList encodeArguments;  // "%q" stands for the quality
  int highestQuality;  // qualities run 1 up to this, files growing with them
  const char* decoder;
  QStringList decodeArguments;
  const char* extension;
};

// WebP at cwebp's quality; AVIF through libaom at speed 4 and 4:2:0, its
// quality 64 less the quantiser fixed for the whole picture; JPEG XL at
// effort 7 and cjxl's quality.
const OutsideTool kOutsideTools[] = {
    {"WebP",
     "cwebp",
     {"-quiet", "-q", "%q", "%in", "-o", "%out"},
     100,
     "dwebp",
     {"-quiet", "%in", "-ppm", "-o", "%out"},
     "ppm"},
    {"AVIF",
     "avifenc",
     {"-s", "4", "-y", "420", "-d", "8", "-j", "1", "--min", "%aq", "--max", "%aq", "%in", "%out"},
     64,
     "avifdec",
     {"%in", "%out"},
     "png"},
    {"JPEG XL",
     "cjxl",
     {"%in", "%out", "-e", "7", "-q", "%q", "--quiet"},
     100,
     "djxl",
     {"%in", "%out", "--quiet"},
     "png"},
};

class OutsideCodec {
 public:
  explicit OutsideCodec(const OutsideTool& tool) : tool_(tool) {}

  bool available() const {
    return !QStandardPaths::findExecutable(tool_.encoder).isEmpty() &&
           !QStandardPaths::findExecutable(tool_.decoder).isEmpty();
  }
  const char* name() const { return tool_.name; }

  std::optional<Coded> within(const fif::RgbImage& image, qint64 bytes) {
    fif::toQImage(image).save(path("in.png"));
    const int quality = largestWithin(
        bytes, [&](int q) { return encode(q); }, tool_.highestQuality);
    if (quality == 0) return std::nullopt;
    const QByteArray file = encode(quality);
    const QString decoded = path(QString("out.") + tool_.extension);
    run(tool_.decoder, substituted(tool_.decodeArguments, path("out.coded"), decoded, quality));
    return Coded{file.size(), fif::fromQImage(QImage(decoded))};
  }

 private:
  QString path(const QString& name) const { return folder_.filePath(name); }

  QStringList substituted(QStringList arguments, const QString& in, const QString& out,
                          int quality) const {
    for (QString& a : arguments)
      a = a == "%in"    ? in
          : a == "%out" ? out
          : a == "%q"   ? QString::number(quality)
          : a == "%aq"  ? QString::number(tool_.highestQuality - quality)
                        : a;
    return arguments;
  }

  QByteArray encode(int quality) {
    const QString coded = path("out.coded");
    QFile::remove(coded);
    run(tool_.encoder, substituted(tool_.encodeArguments, path("in.png"), coded, quality));
    QFile file(coded);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  static void run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
      std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                   process.readAllStandardError().constData());
  }

  const OutsideTool& tool_;
  QTemporaryDir folder_;
};

// Each output pixel from the 6 x 6 source pixels nearest its centre,
// weighted by the Lanczos kernel of three lobes; edges repeat.
fif::RgbImage enlargeLanczos(const fif::RgbImage& image, int factor) {
  const auto kernel = [](double x) {
    if (x == 0) return 1.0;
    if (std::abs(x) >= 3) return 0.0;
    const double px = std::numbers::pi * x;
    return 3 * std::sin(px) * std::sin(px / 3) / (px * px);
  };
  // One pass along each axis: rows of `from` become columns of the result.
  const auto pass = [&](const std::vector<float>& from, int width, int height) {
    const int out = width * factor;
    std::vector<float> to(std::size_t(out) * std::size_t(height) * 3);
    for (int x = 0; x < out; ++x) {
      const double centre = (x + 0.5) / factor - 0.5;
      const int first = int(std::floor(centre)) - 2;
      double weights[6], total = 0;
      for (int i = 0; i < 6; ++i) total += weights[i] = kernel(centre - (first + i));
      for (int y = 0; y < height; ++y)
        for (int c = 0; c < 3; ++c) {
          double sum = 0;
          for (int i = 0; i < 6; ++i)
            sum += weights[i] * from[(std::size_t(y) * std::size_t(width) +
                                      std::size_t(std::clamp(first + i, 0, width - 1))) *
                                         3 +
                                     std::size_t(c)];
          to[(std::size_t(x) * std::size_t(height) + std::size_t(y)) * 3 + std::size_t(c)] =
              float(sum / total);
        }
    }
    return to;
  };
  const std::vector<float> source(image.rgb.begin(), image.rgb.end());
  const std::vector<float> wide = pass(source, image.width, image.height);
  const std::vector<float> both = pass(wide, image.height, image.width * factor);
  fif::RgbImage result{image.width * factor, image.height * factor, {}};
  result.rgb.reserve(both.size());
  for (float v : both) result.rgb.push_back(fif::toByte(v));
  return result;
}

// The picture at half the size, each pixel the mean of four.
fif::RgbImage halved(const fif::RgbImage& image) {
  fif::RgbImage half{image.width / 2, image.height / 2, {}};
  for (int y = 0; y < half.height; ++y)
    for (int x = 0; x < half.width; ++x)
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int d = 0; d < 4; ++d)
          sum += image.rgb[(std::size_t(2 * y + d / 2) * std::size_t(image.width) +
                            std::size_t(2 * x + d % 2)) *
                               3 +
                           std::size_t(c)];
        half.rgb.push_back(std::uint8_t((sum + 2) / 4));
      }
  return half;
}

fif::RgbImage centre(const QString& path) {
  const QImage photo = decodeJpeg(
      [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
      }(),
      false);
  if (photo.width() < kSide || photo.height() < kSide) return {};
  return fif::fromQImage(
      photo.copy((photo.width() - kSide) / 2, (photo.height() - kSide) / 2, kSide, kSide));
}

// What the summary gathers, by the name of the figure.
using Figures = std::map<std::string, std::vector<double>>;

std::string rateName(const char* what, double rate) {
  char name[64];
  std::snprintf(name, sizeof name, "%s at %.1f bpp", what, rate);
  return name;
}

using OutsideCodecs = std::vector<std::unique_ptr<OutsideCodec>>;

// Prints and gathers FIF less the other codec, which held to `bytes`.
void compareWith(const char* name, std::optional<Coded> coded, double fifPsnr,
                 const std::string& figure, const fif::RgbImage& original, int enlarge,
                 Figures& figures) {
  if (!coded) {
    std::printf(" | %s cannot get this small", name);
    return;
  }
  const double psnr =
      lumaPsnr(original, enlarge > 1 ? enlargeLanczos(coded->decoded, enlarge) : coded->decoded);
  std::printf(" | %s %.3f bpp %.2f dB, FIF %+.2f", name,
              double(coded->bytes) * 8 / (original.width * original.height) * enlarge * enlarge,
              psnr, fifPsnr - psnr);
  figures[figure].push_back(fifPsnr - psnr);
}

// The fractal file nearest below the rate of the picture, or of its half
// decoded at twice the size, against every other codec at its bytes.
void compareAtRate(const fif::RgbImage& image, double rate, bool enlarged, OutsideCodecs& outside,
                   Figures& figures) {
  const fif::RgbImage coded = enlarged ? halved(image) : image;
  Fractal fractal = fractalAt(coded, rate);
  const double fifPsnr = lumaPsnr(image, decodeFractal(fractal, image.width, image.height));
  const qint64 bytes = qint64(fractal.file.size());
  const bool selfSimilar = keepsSelfSimilarBlocks(fractal);
  figures["files keeping self-similar blocks"].push_back(selfSimilar ? 1 : 0);
  const char* blocks = selfSimilar ? " (self-similar blocks)" : "";
  if (enlarged)
    std::printf("  2x from %dx%d at %.1f bpp: FIF%s %.2f dB", coded.width, coded.height, rate,
                blocks, fifPsnr);
  else
    std::printf("  %.1f bpp: FIF%s %.3f bpp%s %.2f dB", rate, blocks, bitsPerPixel(bytes, coded),
                bitsPerPixel(bytes, coded) < 0.8 * rate ? " (its largest file)" : "", fifPsnr);
  const auto figure = [&](const char* name) {
    return rateName(enlarged ? ("2x FIF - (" + std::string(name) + " + Lanczos)").c_str()
                             : ("FIF - " + std::string(name)).c_str(),
                    rate);
  };
  const int factor = enlarged ? 2 : 1;
  compareWith("JPEG", jpegWithin(coded, bytes), fifPsnr, figure("JPEG"), image, factor, figures);
  for (auto& codec : outside)
    compareWith(codec->name(), codec->within(coded, bytes), fifPsnr, figure(codec->name()), image,
                factor, figures);
  if (enlarged) {
    std::printf("\n");
    return;
  }
  std::printf(" | encode %.0f ms [%.0f], decode %.1f ms [%.1f]\n", fractal.encode.wallMs,
              fractal.encode.cpuMs, fractal.decode.wallMs, fractal.decode.cpuMs);
  figures["encode ms (processor)"].push_back(fractal.encode.cpuMs);
  figures["decode ms (processor)"].push_back(fractal.decode.cpuMs);
}

void summarise(const char* set, Figures& figures) {
  std::printf("\n%s: worst and median of every photograph\n", set);
  for (auto& [name, values] : figures) {
    std::sort(values.begin(), values.end());
    const bool timing = name.find(" ms") != std::string::npos;
    if (name.starts_with("files keeping")) {
      std::printf("  %-36s %td of %zu\n", name.c_str(),
                  std::count(values.begin(), values.end(), 1.0), values.size());
      continue;
    }
    const double worst = timing ? values.back() : values.front();
    const double middle = median(values);
    const char* target =
        name.starts_with("encode")          ? "under 2000 ms"
        : name.starts_with("decode")        ? "under 50 ms"
        : name.starts_with("FIF - JPEG at") ? "+1.0 dB or more"
        : name.starts_with("FIF - AVIF")    ? "0 dB or more, median above 0"
        : name.starts_with("2x FIF - (JPEG +") || name.starts_with("2x FIF - (AVIF")
            ? "0 dB or more"
            : "(no target)";
    std::printf(timing ? "  %-36s worst %8.0f  median %8.0f  (%zu files; target %s)\n"
                       : "  %-36s worst %+8.2f  median %+8.2f  (%zu photographs; target %s)\n",
                name.c_str(), worst, middle, values.size(), target);
  }
}

// The outside codecs named in `names` ("all", "none" or a comma-separated
// list), those whose programs are installed.
OutsideCodecs outsideCodecs(const QString& names) {
  OutsideCodecs codecs;
  for (const OutsideTool& tool : kOutsideTools) {
    const QString name = QString(tool.name).toLower().remove(' ');
    if (names != "all" && !names.toLower().split(',').contains(name)) continue;
    auto codec = std::make_unique<OutsideCodec>(tool);
    if (codec->available())
      codecs.push_back(std::move(codec));
    else
      std::printf("%s or %s not found: %s left out.\n", tool.encoder, tool.decoder, tool.name);
  }
  return codecs;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  // A long run shows each photograph as it is done, even into a file.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  QStringList paths = application.arguments().mid(1);
  // Tuning runs look at the training set only, and may leave the slower
  // codecs out.
  const bool trainingOnly = paths.removeAll("--training") > 0;
  QString against = "all";
  if (const int at = int(paths.indexOf("--against")); at >= 0 && at + 1 < paths.size()) {
    against = paths[at + 1];
    paths.remove(at, 2);
  }
  const bool given = !paths.isEmpty();
  if (!given)
    for (const QString& name : QDir(kPhotographs).entryList({"*.jpg"}, QDir::Files))
      if (!trainingOnly || kTraining.contains(QFileInfo(name).baseName()))
        paths << QDir(kPhotographs).filePath(name);
  if (paths.isEmpty()) {
    std::printf("No photographs given or found (the mate-backgrounds package ships some).\n");
    return 0;
  }
  OutsideCodecs outside = outsideCodecs(against);
  std::printf(
      "Luminance PSNR of the %dx%d centre of each photograph; every other codec at its largest "
      "file within FIF's bytes.\n"
      "Targets: FIF - JPEG +1.0 dB or more; FIF - AVIF 0 dB or more, median above 0; 2x not "
      "below JPEG or AVIF + Lanczos; encode under %.0f ms, decode under %.0f ms (processor "
      "time).\n",
      kSide, kSide, kEncodeTargetMs, kDecodeTargetMs);
  Figures heldOut, training;
  for (const QString& path : paths) {
    const fif::RgbImage image = centre(path);
    const QString name = QFileInfo(path).baseName();
    const bool isTraining = !given && kTraining.contains(name);
    if (image.width == 0) {
      std::printf("\n%s: smaller than %dx%d, left out\n", qPrintable(name), kSide, kSide);
      continue;
    }
    std::printf("\n%s (%s)\n", qPrintable(name),
                given        ? "given"
                : isTraining ? "training"
                             : "held out");
    Figures& figures = isTraining ? training : heldOut;
    for (bool enlarged : {false, true})
      for (double rate : kRates) compareAtRate(image, rate, enlarged, outside, figures);
  }
  if (!training.empty()) summarise("Training set (tuned on; not the result)", training);
  if (!heldOut.empty())
    summarise(given ? "The photographs given" : "Held-out set (the result)", heldOut);
  return 0;
}
