// Writes the fuzzers' starting files with the program's own writers, one
// folder per fuzz target: small files of every kind each decoder reads.
//   fuzz_seeds <folder>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <stdexcept>

#include "codec_test_support.h"
#include "disc_image_writer.h"
#include "icon_writer.h"
#include "metafile_writers.h"
#include "services/files/list_file_format.h"
#include "services/files/list_window_kind.h"
#include "services/picture/dib.h"
#include "tone_media.h"

namespace {

QDir folder;

QString seedPath(const QString& target, const QString& name) {
  folder.mkpath(target);
  return folder.filePath(target + "/" + name);
}

void writeSeed(const QString& target, const QString& name, const QByteArray& bytes) {
  QFile file(seedPath(target, name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    throw std::runtime_error("cannot write " + file.fileName().toStdString());
}

// A shaded picture with a hard edge, stored at every depth a bitmap file has.
void writeBitmaps() {
  QImage picture(13, 7, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      picture.setPixel(x, y, qRgb(x * 19, y > 3 ? 200 : 30, (x * y) % 256));
  for (PixelFormat format : {PixelFormat::Bits1, PixelFormat::Bits4, PixelFormat::Bits8,
                             PixelFormat::Bits16, PixelFormat::Bits24, PixelFormat::Bits32}) {
    Dib dib{picture, format, {}};
    if (bitsPerPixel(format) <= 8) {
      const int colours = 1 << bitsPerPixel(format);
      for (int i = 0; i < colours; ++i)
        dib.palette << qRgb(i * 255 / (colours - 1), 255 - i * 255 / (colours - 1), 90);
      dib.image = picture.convertToFormat(QImage::Format_Indexed8, dib.palette);
    }
    writeSeed("fuzz_bitmap", QString("depth%1.bmp").arg(bitsPerPixel(format)), writeBmpFile(dib));
  }
  writeSeed(
      "fuzz_bitmap", "icon.ico",
      iconFile(
          {{16, 4, qRgb(255, 0, 0)}, {32, 8, qRgb(0, 255, 0)}, {32, 32, qRgb(0, 0, 255), true}}));
}

void writeMetafiles() {
  writeSeed("fuzz_wmf", "placeable.wmf", sampleWmf(true));
  writeSeed("fuzz_wmf", "plain.wmf", sampleWmf(false));
  writeSeed("fuzz_emf", "sample.emf", sampleEmf());
}

void writeFractalPictures() {
  for (bool grey : {false, true})
    for (int quality : {1, 10, 60, 100}) {
      const auto bytes = encodeAt(testScene(40, 24, grey), quality);
      writeSeed("fuzz_fif", QString("%1-%2.fif").arg(grey ? "grey" : "colour").arg(quality),
                QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    }
}

void writeMpegAudio(const QString& name, const Tone& tone) {
  const QString path = seedPath("fuzz_mpeg", name);
  writeTone(path, tone);
  if (QFile(path).size() == 0)
    throw std::runtime_error("GStreamer's encoders wrote no " + name.toStdString());
}

void writeLists() {
  const QString signature = mediaPlayerLists().signature;
  writeListFile(seedPath("fuzz_list_file", "empty.qpl"), signature, {});
  writeListFile(seedPath("fuzz_list_file", "songs.qpl"), signature,
                {"/usr/share/sounds/a.wav", "/TMP/Mixed Case/B.MP3", "relative.mid", "/"});
}

// A disc image's cue sheet as our own writer makes it (audio and data tracks),
// and one with the lines ripping tools add: CD-Text, several files, pregaps.
void writeCueSheets() {
  const QString image = seedPath("fuzz_cue_sheet", "image");
  writeDiscImage(image.toStdString() + ".cue", {{tone(440, 0.1), {}}, {{}, "DATA"}});
  QFile::remove(image + ".bin");
  writeSeed("fuzz_cue_sheet", "ripped.cue",
            "REM GENRE Rock\r\nPERFORMER \"Someone\"\r\nTITLE \"An Album\"\r\n"
            "FILE \"01 - first.wav\" WAVE\r\n  TRACK 01 AUDIO\r\n    TITLE \"First\"\r\n"
            "    INDEX 01 00:00:00\r\nFILE \"Album Image (Disc 1).bin\" MOTOROLA\r\n"
            "  TRACK 02 AUDIO\r\n    PREGAP 00:02:00\r\n    INDEX 00 00:00:00\r\n"
            "    INDEX 01 00:01:30");
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds <folder>\n");
    return 2;
  }
  folder = QDir(QString::fromLocal8Bit(argv[1]));
  try {
    writeBitmaps();
    writeMetafiles();
    writeFractalPictures();
    writeMpegAudio("stereo.mp3", {Tone::Layer::Three, 440, 300, 44100, 2});
    writeMpegAudio("mono.mp3", {Tone::Layer::Three, 880, 200, 22050, 1});
    writeMpegAudio("stereo.mp2", {Tone::Layer::Two, 440, 200, 32000, 2});
    writeLists();
    writeCueSheets();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "fuzz_seeds: %s\n", error.what());
    return 1;
  }
  return 0;
}
