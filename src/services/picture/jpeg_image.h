#pragma once

#include "services/picture/decoded_picture.h"

// A JPEG picture, decoded when it is loaded. Its size cannot be changed and
// nothing is ever encoded: saving writes the bytes that were read.
class JpegImage : public DecodedPicture {
 public:
  enum class Output { Colours24, Palette8 };

  // The output follows the screen: a palette on displays of 8 bits or fewer.
  JpegImage();

  QString ClassName() const override { return QStringLiteral("JPEG Image"); }
  void LoadFromStream(QIODevice& stream) override;

  Output output() const { return output_; }
  // Decodes the picture again for the new output.
  void setOutput(Output output);

 private:
  void load(QByteArray bytes);

  Output output_;
};
