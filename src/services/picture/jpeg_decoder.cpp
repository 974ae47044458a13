#include "services/picture/jpeg_decoder.h"

// clang-format off
#include <cstdio>
#include <csetjmp>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <cstring>

#include "services/picture/exif_orientation.h"
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

// Warnings are not failures: a file that ends early is shown, its missing
// rows grey, as the library's defaults have it. Nothing is logged.
void warn(j_common_ptr, int) {}

void limitScans(j_common_ptr cinfo) {
  auto* decompressor = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompressor->input_scan_number > kMaxScans) {
    auto* errors = reinterpret_cast<Errors*>(cinfo->err);
    std::snprintf(errors->message, sizeof errors->message, "JPEG file has too many scans");
    std::longjmp(errors->jump, 1);
  }
}

bool inInks(const jpeg_decompress_struct& cinfo) {
  return cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
}

// Red, green, blue: the layout of a 24-bit QImage, so rows decode in place.
// Pictures in printing inks decode to the inks, turned into light below; the
// library's palette works on light only, so theirs is made afterwards.
void configure(jpeg_decompress_struct& cinfo, bool palette) {
  cinfo.out_color_space = inInks(cinfo) ? JCS_CMYK : JCS_RGB;
  if (palette && !inInks(cinfo)) {
    cinfo.quantize_colors = TRUE;
    cinfo.desired_number_of_colors = 256;
  }
}

QImage allocate(const jpeg_decompress_struct& cinfo) {
  QImage image(int(cinfo.output_width), int(cinfo.output_height),
               cinfo.quantize_colors ? QImage::Format_Indexed8 : QImage::Format_RGB888);
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

// Adobe's programs, which write most such files, store the inks inverted.
void inksToLight(const JSAMPLE* inks, uchar* rgb, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, inks += 4, rgb += 3) {
    const int black = inverted ? inks[3] : 255 - inks[3];
    for (int i = 0; i < 3; ++i) rgb[i] = uchar((inverted ? inks[i] : 255 - inks[i]) * black / 255);
  }
}

jpeg_saved_marker_ptr exifMarker(const jpeg_decompress_struct& cinfo) {
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next)
    if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 && std::memcmp(m->data, "Exif\0", 6) == 0)
      return m;
  return nullptr;
}

struct Decoded {
  QImage image;
  QByteArray exif;
};

// Everything libjpeg may leave by its error jump happens in here, and no
// object with a destructor lives in this frame, so the jump skips nothing.
bool decompress(jpeg_decompress_struct* cinfo, Errors* errors, Decoded* out, bool palette) {
  if (setjmp(errors->jump)) return false;
  jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(cinfo, TRUE);
  picture_limits::checkSize(cinfo->image_width, cinfo->image_height);
  if (const jpeg_saved_marker_ptr exif = exifMarker(*cinfo))
    out->exif = QByteArray(reinterpret_cast<const char*>(exif->data), qsizetype(exif->data_length));
  configure(*cinfo, palette);
  jpeg_start_decompress(cinfo);
  out->image = allocate(*cinfo);
  const JSAMPARRAY inks = inInks(*cinfo)
                              ? (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo),
                                                            JPOOL_IMAGE, cinfo->output_width * 4, 1)
                              : nullptr;
  while (cinfo->output_scanline < cinfo->output_height) {
    uchar* line = out->image.scanLine(int(cinfo->output_scanline));
    JSAMPROW row = inks ? inks[0] : line;
    jpeg_read_scanlines(cinfo, &row, 1);
    if (inks) inksToLight(inks[0], line, cinfo->output_width, cinfo->saw_Adobe_marker);
  }
  if (cinfo->quantize_colors) takePalette(*cinfo, out->image);
  jpeg_finish_decompress(cinfo);
  return true;
}

struct Decompressor {
  Decompressor() {
    cinfo.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = fail;
    errors.manager.emit_message = warn;
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
  Decoded decoded;
  if (!decompress(&decompressor.cinfo, &decompressor.errors, &decoded, palette))
    throw InvalidGraphic(QString::fromLocal8Bit(decompressor.errors.message));
  QImage image = upright(decoded.image, exifOrientation(decoded.exif));
  if (palette && image.format() != QImage::Format_Indexed8)
    image = image.convertToFormat(QImage::Format_Indexed8);
  return image;
}
