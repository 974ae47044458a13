// Decodes one large JPEG through the picture framework and through a plain
// libjpeg loop, in turns, and prints the best times and their ratio beside
// the target of 1.2.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <vector>

#include "jpeg_writer.h"
#include "services/picture/jpeg_image.h"

namespace {

constexpr int kRounds = 7;
constexpr double kAllowedRatio = 1.2;

QImage scene(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x)
      line[x] = qRgb((x * 255) / width, (y * 255) / height, ((x ^ y) * 7) & 0xFF);
  }
  return image;
}

// What a command-line decoder does: 24-bit rows into one buffer.
qint64 decodeDirectly(const QByteArray& file) {
  QElapsedTimer timer;
  timer.start();
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(file.data()), file.size());
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  const size_t stride = size_t(cinfo.output_width) * cinfo.output_components;
  std::vector<unsigned char> pixels(stride * cinfo.output_height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels.data() + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return timer.nsecsElapsed();
}

qint64 decodeThroughFramework(const QByteArray& file) {
  QElapsedTimer timer;
  timer.start();
  QByteArray bytes = file;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  JpegImage jpeg;
  jpeg.setOutput(JpegImage::Output::Colours24);
  jpeg.LoadFromStream(buffer);
  return timer.nsecsElapsed();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QByteArray file = encodeJpeg(scene(4000, 3000), 90);
  qint64 direct = std::numeric_limits<qint64>::max(), framework = direct;
  for (int i = 0; i < kRounds; ++i) {
    direct = std::min(direct, decodeDirectly(file));
    framework = std::min(framework, decodeThroughFramework(file));
  }
  const double ratio = double(framework) / double(direct);
  std::printf(
      "4000 x 3000 JPEG, %lld bytes: libjpeg %.1f ms, framework %.1f ms, ratio %.2f"
      " (target %.1f)\n",
      static_cast<long long>(file.size()), direct / 1e6, framework / 1e6, ratio, kAllowedRatio);
  return 0;
}
