#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "services/media_device/disc_source.h"

class QTemporaryFile;

// A disc image as ripping tools write it: a cue sheet and the BINARY or WAVE
// files it names, laid out back to back as on a disc, with each PREGAP as
// silence. WAVE files of CD audio are read as they lie; other WAVE files
// (and whatever else GStreamer decodes) are decoded once, when the image is
// opened.
class DiscImage : public DiscSource {
 public:
  // Throws MediaDeviceError naming the image and what is wrong with it.
  static std::shared_ptr<const DiscImage> open(const QString& cuePath);
  ~DiscImage() override;

  const DiscToc& toc() const override { return toc_; }
  bool readAudio(int frame, int count, unsigned char* out) const override;
  QString volumeLabel() const override;

 private:
  // A stretch of the disc: frames from one file, or silence (fd -1).
  struct Piece {
    int start = 0;
    int frames = 0;
    int fd = -1;
    qint64 offset = 0;  // of the piece's first frame in its file
    int blockSize = 2352;
    bool swapBytes = false;
  };
  DiscImage() = default;
  // Decodes a sound file to raw CD audio kept while the image is open; its path.
  QString decoded(const QString& image, const QString& name, const QString& path);
  const Piece* pieceAt(int frame) const;

  DiscToc toc_;
  std::vector<Piece> pieces_;
  std::vector<int> fds_;
  std::vector<std::unique_ptr<QTemporaryFile>> decoded_;
};
