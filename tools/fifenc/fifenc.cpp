// fifenc: writes any picture the program can show as a fractal image file.
//   fifenc [-q quality] picture file.fif
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstring>
#include <string>

#include "fif/encoder.h"
#include "fif/qimage_conversion.h"
#include "services/picture/graphic_formats.h"
#include "services/picture/picture_error.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: fifenc [-q quality 1-100] picture file.fif\n");
  return 2;
}

struct Arguments {
  int quality = 75;
  QString input, output;
};

bool parse(int argc, char** argv, Arguments& args) {
  int i = 1;
  if (i + 1 < argc && std::strcmp(argv[i], "-q") == 0) {
    char* end = nullptr;
    const long quality = std::strtol(argv[i + 1], &end, 10);
    if (*end != '\0' || quality < 1 || quality > 100) return false;
    args.quality = int(quality);
    i += 2;
  }
  if (argc - i != 2) return false;
  args.input = QString::fromLocal8Bit(argv[i]);
  args.output = QString::fromLocal8Bit(argv[i + 1]);
  return true;
}

std::vector<std::uint32_t> colourTable(const Graphic& picture) {
  std::vector<std::uint32_t> table;
  for (QRgb c : picture.Palette()) table.push_back(c & 0xFFFFFFu);
  if (table.size() > 256) table.clear();
  return table;
}

void write(const QString& path, const std::vector<std::uint8_t>& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
          qint64(bytes.size()) ||
      !file.flush())
    throw PictureError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

}  // namespace

int main(int argc, char** argv) {
  // Pictures are read and drawn without being shown.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  Arguments args;
  if (!parse(argc, argv, args)) return usage();
  try {
    const auto picture = GraphicFormats::Standard().LoadFromFile(args.input);
    fif::EncodeOptions options;
    options.quality = args.quality;
    options.colourTable = colourTable(*picture);
    int shown = -1;
    options.progress = [&shown](int percent) {
      if (percent == shown) return;
      shown = percent;
      std::fprintf(stderr, "\rEncoding: %3d%%", percent);
    };
    const auto bytes = fif::encode(fif::fromQImage(picture->ToImage()), options);
    std::fprintf(stderr, "\n");
    write(args.output, bytes);
    std::printf("%s: %d x %d, %zu bytes\n", qPrintable(args.output), picture->Width(),
                picture->Height(), bytes.size());
    return 0;
  } catch (const PictureError& error) {
    std::fprintf(stderr, "\nfifenc: %s\n", qPrintable(error.message()));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "\nfifenc: %s\n", error.what());
  }
  return 1;
}
