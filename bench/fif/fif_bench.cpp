// Fractal and JPEG compression side by side on photographs at 512 x 512:
// for each target rate, the fractal quality that comes nearest below it, and
// the JPEG quality whose file is nearest that size. Prints the luminance
// PSNR of both, the fractal encode and decode times (wall clock, and the
// processor time in brackets, which other work on a shared machine does not
// inflate), and writes a decode at twice the size for looking at.
//   fif_bench [picture ...]   (default: the photographs found on this machine)
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <ctime>
#include <utility>

#include "codec_test_support.h"
#include "fif/decoder.h"
#include "fif/format.h"
#include "fif/qimage_conversion.h"
#include "jpeg_writer.h"
#include "picture/jpeg_decoder.h"

namespace {

constexpr int kSide = 512;
constexpr double kRates[] = {0.6, 0.2};
constexpr double kEncodeTargetMs = 2000, kDecodeTargetMs = 50;

QStringList photographs() {
  QStringList found;
  for (const char* folder : {"/usr/share/backgrounds/mate/nature"})
    for (const QString& name : QDir(folder).entryList({"*.jpg"}, QDir::Files)) found << QDir(folder).filePath(name);
  return found.mid(0, 4);
}

double bitsPerPixel(qint64 bytes) { return double(bytes) * 8 / (kSide * kSide); }

struct Timing {
  double wallMs = 0, cpuMs = 0;
};

template <class Work>
auto timed(Work work, Timing& timing) {
  QElapsedTimer wall;
  wall.start();
  const std::clock_t cpu = std::clock();
  auto result = work();
  timing = {double(wall.nsecsElapsed()) / 1e6, double(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC};
  return result;
}

struct Fractal {
  std::vector<std::uint8_t> bytes;
  Timing encode;
};

// Bisects the quality for the largest file within the rate (the smallest
// file when none fits).
Fractal fractalAt(const fif::RgbImage& image, double rate) {
  Fractal best;
  int low = 1, high = 100;
  while (low <= high) {
    const int quality = (low + high) / 2;
    Timing timing;
    auto bytes = timed([&] { return encodeAt(image, quality); }, timing);
    const bool fits = bitsPerPixel(qint64(bytes.size())) <= rate;
    if (fits || best.bytes.empty() || bytes.size() < best.bytes.size()) best = {std::move(bytes), timing};
    if (fits)
      low = quality + 1;
    else
      high = quality - 1;
  }
  return best;
}

// The JPEG quality whose file comes nearest `bytes`.
QByteArray jpegNear(const QImage& image, qint64 bytes) {
  QByteArray best;
  for (int quality = 1; quality <= 100; ++quality) {
    QByteArray jpeg = encodeJpeg(image, quality);
    if (best.isEmpty() || std::llabs(jpeg.size() - bytes) < std::llabs(best.size() - bytes)) best = jpeg;
  }
  return best;
}

void compare(const QString& path) {
  const QImage photo = QImage(path).scaled(kSide, kSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const fif::RgbImage image = fif::fromQImage(photo);
  std::printf("%s\n", qPrintable(QFileInfo(path).fileName()));
  for (double rate : kRates) {
    const Fractal fractal = fractalAt(image, rate);
    Timing decode;
    const auto file = timed([&] { return fif::readFile(fractal.bytes.data(), fractal.bytes.size()); }, decode);
    Timing render;
    const fif::RgbImage decoded = timed([&] { return fif::render(file, kSide, kSide); }, render);
    decode = {decode.wallMs + render.wallMs, decode.cpuMs + render.cpuMs};
    const QByteArray jpeg = jpegNear(photo, qint64(fractal.bytes.size()));
    const fif::RgbImage jpegDecoded = fif::fromQImage(decodeJpeg(jpeg, false));
    const double fifPsnr = lumaPsnr(image, decoded), jpegPsnr = lumaPsnr(image, jpegDecoded);
    std::printf("  target %.1f bpp: FIF %.3f bpp %.2f dB | JPEG %.3f bpp %.2f dB | FIF - JPEG %+.2f dB"
                " | encode %.0f ms [%.0f] of %.0f | decode %.1f ms [%.1f] of %.0f\n",
                rate, bitsPerPixel(qint64(fractal.bytes.size())), fifPsnr, bitsPerPixel(jpeg.size()), jpegPsnr,
                fifPsnr - jpegPsnr, fractal.encode.wallMs, fractal.encode.cpuMs, kEncodeTargetMs, decode.wallMs,
                decode.cpuMs, kDecodeTargetMs);
    const QString enlarged = QDir::temp().filePath(QStringLiteral("fif_bench_%1_%2bpp_x2.png")
                                                       .arg(QFileInfo(path).baseName())
                                                       .arg(rate));
    fif::toQImage(fif::render(file, 2 * kSide, 2 * kSide)).save(enlarged);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QStringList paths = application.arguments().mid(1);
  if (paths.isEmpty()) paths = photographs();
  if (paths.isEmpty()) {
    std::printf("No photographs given or found (the mate-backgrounds package ships some).\n");
    return 0;
  }
  for (const QString& path : paths) compare(path);
  std::printf("Enlarged decodes written to %s\n", qPrintable(QDir::tempPath()));
  return 0;
}
