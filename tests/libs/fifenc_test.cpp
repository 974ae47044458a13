#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "codec_test_support.h"
#include "fif/decoder.h"
#include "fif/format.h"
#include "fif/qimage_conversion.h"

namespace {

struct EncoderRun {
  int exitCode;
  QString output, errors;
};

EncoderRun fifenc(const QStringList& arguments) {
  QProcess process;
  process.start(QDir(QCoreApplication::applicationDirPath()).filePath("fifenc"), arguments);
  process.waitForFinished(60000);
  return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(Fifenc, WritesAPictureAsAFractalFileAndShowsItsProgress) {
  QTemporaryDir dir;
  const auto scene = testScene(64, 48);
  const QString bmp = dir.filePath("scene.bmp"), fif = dir.filePath("scene.fif");
  ASSERT_TRUE(fif::toQImage(scene).save(bmp));

  const EncoderRun run = fifenc({"-q", "90", bmp, fif});
  EXPECT_EQ(run.exitCode, 0) << qPrintable(run.errors);
  EXPECT_TRUE(run.errors.contains("\rEncoding: 100%"));
  QFile file(fif);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const auto parsed = fif::readFile(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    std::size_t(bytes.size()));
  EXPECT_EQ(parsed.header.width, 64);
  EXPECT_GT(lumaPsnr(scene, fif::render(parsed, 64, 48)), 27.0);
}

TEST(Fifenc, RefusesBadArgumentsAndUnreadablePictures) {
  QTemporaryDir dir;
  EXPECT_EQ(fifenc({"-q", "0", "a.bmp", "b.fif"}).exitCode, 2);
  EXPECT_EQ(fifenc({"-q", "fine", "a.bmp", "b.fif"}).exitCode, 2);
  EXPECT_EQ(fifenc({"only-one"}).exitCode, 2);
  const EncoderRun missing = fifenc({dir.filePath("none.bmp"), dir.filePath("out.fif")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.errors.contains("fifenc: "));
  EXPECT_FALSE(QFile::exists(dir.filePath("out.fif")));
}

}  // namespace
