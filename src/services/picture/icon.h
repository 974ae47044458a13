#pragma once

#include "services/picture/decoded_picture.h"

// A Windows icon file. Of its images the one the system would pick for its
// standard icon size on this screen is shown, transparent where its mask
// says; its size cannot be changed.
class Icon : public DecodedPicture {
 public:
  QString ClassName() const override { return QStringLiteral("Icon"); }
  void LoadFromStream(QIODevice& stream) override;
};

// The image of an icon file chosen for a standard size of `side` pixels on a
// screen of `screenDepth` bits per pixel.
QImage readIconFile(QByteArrayView bytes, int side, int screenDepth);
