#include "jpeg_writer.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// One run of libjpeg's compressor: `setUp` chooses after the defaults, `row`
// gives each row's samples.
QByteArray compress(QSize size, int components, J_COLOR_SPACE space,
                    const std::function<void(jpeg_compress_struct&)>& setUp,
                    const std::function<JSAMPROW(int)>& row) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  jpeg_mem_dest(&cinfo, &buffer, &length);
  cinfo.image_width = JDIMENSION(size.width());
  cinfo.image_height = JDIMENSION(size.height());
  cinfo.input_components = components;
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  setUp(cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW samples = row(int(cinfo.next_scanline));
    jpeg_write_scanlines(&cinfo, &samples, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(length));
  std::free(buffer);
  return bytes;
}

void fullColour(jpeg_compress_struct& cinfo) {
  for (int i = 0; i < cinfo.num_components; ++i)
    cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
}

}  // namespace

QByteArray encodeJpeg(const QImage& source, int quality, bool progressive, bool grey,
                      JpegStyle style) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  auto setUp = [&](jpeg_compress_struct& cinfo) {
    if (grey) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    if (style == JpegStyle::FullColour)
      fullColour(cinfo);
    else
      cinfo.optimize_coding = TRUE;
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
  };
  return compress(image.size(), 3, JCS_RGB, setUp,
                  [&](int y) { return const_cast<JSAMPROW>(image.constScanLine(y)); });
}

QByteArray encodeInksJpeg(const QImage& source, bool ycck) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  auto setUp = [&](jpeg_compress_struct& cinfo) {
    jpeg_set_colorspace(&cinfo, ycck ? JCS_YCCK : JCS_CMYK);
    fullColour(cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
  };
  std::vector<JSAMPLE> inks(size_t(image.width()) * 4);
  return compress(image.size(), 4, JCS_CMYK, setUp, [&](int y) {
    const uchar* rgb = image.constScanLine(y);
    for (size_t x = 0; x < size_t(image.width()); ++x, rgb += 3) {
      // Black takes what the three colours share; inverted, it is the lightest of them.
      const int light = std::max({int(rgb[0]), int(rgb[1]), int(rgb[2]), 1});
      for (size_t i = 0; i < 3; ++i) inks[x * 4 + i] = JSAMPLE(rgb[i] * 255 / light);
      inks[x * 4 + 3] = JSAMPLE(light);
    }
    return inks.data();
  });
}
