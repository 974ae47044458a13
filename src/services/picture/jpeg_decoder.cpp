#include "services/picture/jpeg_decoder.h"

// clang-format off
#include <cstdio>
#include <csetjmp>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "services/picture/picture_error.h"
#include "services/picture/picture_limits.h"

namespace {

// Progressive files can hold any number of scans; more than this is an attack.
constexpr int kMaxScans = 1000;
constexpr long kMaxLibraryMemory = 256L << 20;

struct Errors {
  jpeg_error_mgr manager;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void fail(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<Errors*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

// A file that ends early decodes as grey in libjpeg; we refuse it instead.
void warnOrFail(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) fail(cinfo);
}

void limitScans(j_common_ptr cinfo) {
  auto* decompressor = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompressor->input_scan_number > kMaxScans) {
    auto* errors = reinterpret_cast<Errors*>(cinfo->err);
    std::snprintf(errors->message, sizeof errors->message, "JPEG file has too many scans");
    std::longjmp(errors->jump, 1);
  }
}

// Red, green, blue: the layout of a 24-bit QImage, so rows decode in place.
void configure(jpeg_decompress_struct& cinfo, bool palette) {
  cinfo.out_color_space = JCS_RGB;
  if (palette) {
    cinfo.quantize_colors = TRUE;
    cinfo.desired_number_of_colors = 256;
  }
}

QImage allocate(const jpeg_decompress_struct& cinfo, bool palette) {
  QImage image(int(cinfo.output_width), int(cinfo.output_height),
               palette ? QImage::Format_Indexed8 : QImage::Format_RGB888);
  if (image.isNull())
    throw InvalidGraphic(QStringLiteral("Not enough memory for the JPEG picture"));
  return image;
}

void takePalette(const jpeg_decompress_struct& cinfo, QImage& image) {
  QVector<QRgb> colours;
  for (int i = 0; i < cinfo.actual_number_of_colors; ++i)
    colours << qRgb(cinfo.colormap[0][i], cinfo.colormap[1][i], cinfo.colormap[2][i]);
  image.setColorTable(colours);
}

// Everything libjpeg may leave by its error jump happens in here, and no
// object with a destructor lives in this frame, so the jump skips nothing.
bool decompress(jpeg_decompress_struct* cinfo, Errors* errors, QImage* image, bool palette) {
  if (setjmp(errors->jump)) return false;
  jpeg_read_header(cinfo, TRUE);
  picture_limits::checkSize(cinfo->image_width, cinfo->image_height);
  configure(*cinfo, palette);
  jpeg_start_decompress(cinfo);
  *image = allocate(*cinfo, palette);
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = image->scanLine(int(cinfo->output_scanline));
    jpeg_read_scanlines(cinfo, &row, 1);
  }
  if (palette) takePalette(*cinfo, *image);
  jpeg_finish_decompress(cinfo);
  return true;
}

struct Decompressor {
  Decompressor() {
    cinfo.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = fail;
    errors.manager.emit_message = warnOrFail;
    progress.progress_monitor = limitScans;
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress;
    cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
  }
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }

  jpeg_decompress_struct cinfo;
  Errors errors;
  jpeg_progress_mgr progress{};
};

}  // namespace

QImage decodeJpeg(QByteArrayView bytes, bool palette) {
  if (bytes.isEmpty()) throw InvalidGraphic(QStringLiteral("JPEG file is empty"));
  Decompressor decompressor;
  jpeg_mem_src(&decompressor.cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  QImage image;
  if (!decompress(&decompressor.cinfo, &decompressor.errors, &image, palette))
    throw InvalidGraphic(QString::fromLocal8Bit(decompressor.errors.message));
  return image;
}
