#pragma once

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// Files as other programs write them, made by those programs at test time.
// A test whose program is not installed is skipped, not failed.
class OtherPrograms {
 public:
  // Runs `program` in the working folder; false when it is missing or fails.
  bool run(const QString& program, const QStringList& arguments) const {
    if (QStandardPaths::findExecutable(program).isEmpty()) return false;
    QProcess process;
    process.setWorkingDirectory(dir_.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    // A private profile, so a desktop session's copy is never asked to do the work.
    QStringList environment = QProcess::systemEnvironment();
    environment << "HOME=" + dir_.path();
    process.setEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
      process.kill();
      process.waitForFinished();
      return false;
    }
    const bool ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!ok) ADD_FAILURE() << program.toStdString() << ": " << process.readAll().toStdString();
    return ok;
  }
  bool has(const QString& program) const {
    return !QStandardPaths::findExecutable(program).isEmpty();
  }
  QString path(const QString& name) const { return dir_.filePath(name); }
  void write(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QByteArray read(const QString& name) const {
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private:
  QTemporaryDir dir_;
};

// Where one colour lies in a picture, as fractions of its width and height,
// and how much of it that colour covers: what two renderers of one file
// agree on without agreeing on every pixel.
struct Patch {
  QRectF place;
  double cover = 0;
};

inline Patch patchOf(const QImage& picture, QRgb colour) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  auto near = [colour](QRgb p) {
    return std::abs(qRed(p) - qRed(colour)) + std::abs(qGreen(p) - qGreen(colour)) +
               std::abs(qBlue(p) - qBlue(colour)) <
           90;
  };
  int left = image.width(), top = image.height(), right = -1, bottom = -1, count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (near(image.pixel(x, y))) {
        left = std::min(left, x), right = std::max(right, x + 1);
        top = std::min(top, y), bottom = std::max(bottom, y + 1);
        ++count;
      }
  if (count == 0) return {};
  const double w = image.width(), h = image.height();
  return {QRectF(QPointF(left / w, top / h), QPointF(right / w, bottom / h)), count / (w * h)};
}

// The part of a picture on white that has anything drawn on it.
inline QImage inked(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 240) box |= QRect(x, y, 1, 1);
  return image.copy(box);
}

inline void expectSamePatch(const QImage& ours, const QImage& theirs, QRgb colour,
                            double tolerance = 0.04) {
  const Patch a = patchOf(ours, colour), b = patchOf(theirs, colour);
  ASSERT_GT(b.cover, 0) << "the other renderer drew none of the colour " << std::hex << colour;
  ASSERT_GT(a.cover, 0) << "we drew none of the colour " << std::hex << colour;
  EXPECT_NEAR(a.place.left(), b.place.left(), tolerance) << std::hex << colour;
  EXPECT_NEAR(a.place.top(), b.place.top(), tolerance) << std::hex << colour;
  EXPECT_NEAR(a.place.right(), b.place.right(), tolerance) << std::hex << colour;
  EXPECT_NEAR(a.place.bottom(), b.place.bottom(), tolerance) << std::hex << colour;
  EXPECT_NEAR(a.cover, b.cover, tolerance) << std::hex << colour;
}
