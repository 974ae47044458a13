#include "services/picture/wmf_player.h"

// clang-format off
#include <libwmf/api.h>
#include <libwmf/ipa.h>
#include <libwmf/defs.h>
// clang-format on

#include <QFontMetricsF>
#include <QPainter>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "services/picture/byte_reader.h"
#include "services/picture/dib.h"
#include "services/picture/gdi_drawing.h"
#include "services/picture/picture_error.h"

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr qint64 kPlaceableSize = 22;
constexpr qint64 kHeaderWords = 9;
constexpr double kScreenPixelsPerInch = 96;

enum Function : quint16 {
  kEof = 0x0000,
  kSaveDc = 0x001E,
  kSetBkMode = 0x0102,
  kSetMapMode = 0x0103,
  kSetRop2 = 0x0104,
  kSetPolyFillMode = 0x0106,
  kSetTextCharExtra = 0x0108,
  kRestoreDc = 0x0127,
  kSetTextAlign = 0x012E,
  kSetBkColor = 0x0201,
  kSetTextColor = 0x0209,
  kSetTextJustification = 0x020A,
  kSetWindowExt = 0x020C,
  kSetViewportOrg = 0x020D,
  kSetViewportExt = 0x020E,
  kOffsetViewportOrg = 0x0211,
  kScaleViewportExt = 0x0412,
  kTextOut = 0x0521,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kPolyPolygon = 0x0538,
  kExtTextOut = 0x0A32,
};

// ---- Checking the records ourselves before the library sees them ----

constexpr quint16 kTextMapMode = 1;
constexpr size_t kDeepestSave = 1024;  // the library refuses deeper ones

struct Record {
  qint64 at = 0;
  qint64 words = 0;
  quint16 function = 0;
};

struct Walk {
  QSizeF windowExt;  // the first one set, without its signs
  std::vector<Record> records;  // the end record last
  quint32 largestRecord = 0;
};

// The rectangle drawn into is the viewport, whatever the records say of it.
bool setsMapping(quint16 function) {
  return function == kSetMapMode || function == kSetViewportOrg || function == kSetViewportExt ||
         function == kOffsetViewportOrg || function == kScaleViewportExt;
}

// Words of parameters each drawing function needs, so none reads past its record.
qint64 wordsNeeded(const ByteReader& in, qint64 params, quint16 function) {
  auto word = [&](qint64 i) { return qint64(in.u16(params + 2 * i)); };
  switch (function) {
    case kPolygon:
    case kPolyline:
      return 1 + 2 * word(0);
    case kTextOut:
      return 1 + (word(0) + 1) / 2 + 2;
    case kExtTextOut:
      return 4 + (word(3) & 6 ? 4 : 0) + (word(2) + 1) / 2;
    case kPolyPolygon: {
      qint64 points = 0;
      for (qint64 i = 0; i < word(0); ++i) points += word(1 + i);
      return 1 + word(0) + 2 * points;
    }
    default:
      return 0;
  }
}

Walk walkRecords(const ByteReader& in, qint64 start) {
  if (in.u16(start + 2) != kHeaderWords || in.u16(start) < 1 || in.u16(start) > 2)
    in.fail(QStringLiteral("has no metafile header"));
  Walk walk;
  for (qint64 at = start + 2 * kHeaderWords;;) {
    const qint64 words = in.u32(at);
    const quint16 function = in.u16(at + 4);
    if (words < 3 || !in.has(at, 2 * words))
      in.fail(QStringLiteral("has a record whose size is wrong at byte %1").arg(at));
    if (wordsNeeded(in, at + 6, function) > words - 3)
      in.fail(QStringLiteral("has a record too short for its contents at byte %1").arg(at));
    walk.largestRecord = std::max(walk.largestRecord, quint32(words));
    if (function == kSetWindowExt && walk.windowExt.isEmpty() && words >= 5)
      walk.windowExt = QSizeF(std::abs(in.s16(at + 8)), std::abs(in.s16(at + 6)));
    walk.records.push_back({at, words, function});
    at += 2 * words;
    if (function == kEof) return walk;
  }
}

void putU16(QByteArray& bytes, qint64 at, quint16 value) {
  bytes[at] = char(value);
  bytes[at + 1] = char(value >> 8);
}

// What the platform's SaveDC keeps and the library's resets to its defaults.
bool keptBySave(quint16 function) {
  return function == kSetBkMode || function == kSetBkColor || function == kSetTextAlign ||
         function == kSetTextColor || function == kSetPolyFillMode || function == kSetRop2 ||
         function == kSetTextCharExtra || function == kSetTextJustification;
}

// The records that last set each kept part of the state, as saved and restored.
class SavedStates {
 public:
  void record(const Record& r, const QByteArray& bytes, QByteArray& out) {
    if (keptBySave(r.function)) state_[r.function] = bytes;
    if (r.function == kSaveDc && saved_.size() < kDeepestSave) {
      saved_.push_back(state_);
      for (const auto& [function, setter] : state_) out += setter;  // set again after the save
    }
    if (r.function == kRestoreDc && r.words >= 4)
      restore(qint16(quint8(bytes[6]) | quint8(bytes[7]) << 8));
  }

 private:
  // Negative: that many saves back; positive: the save of that number.
  void restore(qint16 which) {
    const qint64 keep = which < 0 ? qint64(saved_.size()) + which : qint64(which) - 1;
    if (keep < 0 || keep >= qint64(saved_.size())) return;
    state_ = saved_[size_t(keep)];
    saved_.resize(size_t(keep));
  }

  std::map<quint16, QByteArray> state_;
  std::vector<std::map<quint16, QByteArray>> saved_;
};

// The records as the library should play them:
// - It maps logical units by the map mode and viewport; we map them onto the
//   rectangle drawn into ourselves, so it is left in its plain mode, where it
//   hands us logical units less the window origin, flipped where an extent is
//   negative.
// - Its SaveDC forgets the text alignment, colours and modes, so they are set
//   again after each one.
// - It sizes its buffers from the header; it is given the true sizes.
QByteArray forTheLibrary(QByteArrayView metafile, const Walk& walk, qint64 start) {
  QByteArray bytes = metafile.sliced(start, 2 * kHeaderWords).toByteArray();
  SavedStates states;
  for (const Record& r : walk.records) {
    QByteArray record = metafile.sliced(r.at, 2 * r.words).toByteArray();
    if (setsMapping(r.function) && r.words >= 4) {
      putU16(record, 4, kSetMapMode);
      putU16(record, 6, kTextMapMode);
    }
    bytes += record;
    states.record(r, record, bytes);
  }
  const quint32 words = quint32(bytes.size() / 2);
  const quint32 largest = std::max<quint32>(walk.largestRecord, 5);
  for (int i = 0; i < 4; ++i) {
    bytes[6 + i] = char(words >> (8 * i));
    bytes[12 + i] = char(largest >> (8 * i));
  }
  return bytes;
}

// The library's memory, known block by block: a damaged file can leave it
// holding a font whose face name points nowhere, so a name is read only from
// a block the library still owns, and only up to its end.
class LibraryMemory {
 public:
  static void* allocate(void* self, size_t size) {
    return static_cast<LibraryMemory*>(self)->track(std::malloc(size ? size : 1), size);
  }
  static void* reallocate(void* self, void* block, size_t size) {
    auto& memory = *static_cast<LibraryMemory*>(self);
    memory.blocks_.erase(static_cast<const char*>(block));
    return memory.track(std::realloc(block, size ? size : 1), size);
  }
  static void release(void* self, void* block) {
    static_cast<LibraryMemory*>(self)->blocks_.erase(static_cast<const char*>(block));
    std::free(block);
  }
  ~LibraryMemory() {
    for (const auto& [block, size] : blocks_) std::free(const_cast<char*>(block));
  }

  // The text at `at`, when it lies whole in a live block.
  QString text(const char* at) const {
    auto block = blocks_.upper_bound(at);
    if (!at || block == blocks_.begin()) return {};
    --block;
    const char* end = block->first + block->second;
    if (at >= end) return {};
    const void* nul = std::memchr(at, 0, size_t(end - at));
    return nul ? QString::fromLatin1(at) : QString();
  }
  bool holds(const void* at, size_t size) const {
    auto block = blocks_.upper_bound(static_cast<const char*>(at));
    if (block == blocks_.begin()) return false;
    --block;
    return static_cast<const char*>(at) + size <= block->first + block->second;
  }

 private:
  void* track(void* block, size_t size) {
    if (block) blocks_[static_cast<const char*>(block)] = size;
    return block;
  }
  std::map<const char*, size_t> blocks_;
};

const LibraryMemory& memoryOf(wmfAPI* api);

// A font's face name, read only where the library still holds it.
QString faceName(wmfAPI* api, const wmfFont* font) {
  const LibraryMemory& memory = memoryOf(api);
  if (!font || !memory.holds(font, sizeof(wmfFont))) return {};
  return memory.text(font->lfFaceName);
}

// ---- Our drawing layer under the library ----

struct Device {
  QPainter* painter = nullptr;
  QTransform base;  // the painter's own, when playing began
  QRectF target;
  QRectF frame;  // logical units
  bool setsWindow = false;  // else the frame is the window
  const LibraryMemory* memory = nullptr;
};

// The window the records set (or the frame while they set none) fills the target.
QTransform toTarget(const Device& d, const wmfDC& dc) {
  const QSizeF window(std::abs(dc.Window.width), std::abs(dc.Window.height));
  const QRectF from = d.setsWindow && !window.isEmpty()
                          ? QRectF(QPointF(), window)
                          : d.frame.translated(-dc.Window.Ox, -dc.Window.Oy);
  const QRectF& to = d.target;
  return QTransform::fromTranslate(-from.left(), -from.top()) *
         QTransform::fromScale(to.width() / from.width(), to.height() / from.height()) *
         QTransform::fromTranslate(to.left(), to.top()) * d.base;
}

Device& device(wmfAPI* api) { return **static_cast<Device**>(api->device_data); }
const LibraryMemory& memoryOf(wmfAPI* api) { return *device(api).memory; }
QPainter& painter(wmfAPI* api) { return *device(api).painter; }

QColor colour(const wmfRGB& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }
QPointF point(const wmfD_Coord& c) { return QPointF(c.x, c.y); }

// Every call from the library lands here: an exception must never cross it.
// The DC's pen, brush and background are set up before `draw` runs.
template <class Info, class Draw>
void guarded(wmfAPI* api, Info* info, Draw draw) {
  try {
    if (!info || !info->dc) return;
    QPainter& p = painter(api);
    const wmfDC& dc = *info->dc;
    p.setTransform(toTarget(device(api), dc));
    const QPen pen = gdi::pen(dc.pen->lopnStyle, dc.pen->width, colour(dc.pen->lopnColor));
    p.setPen(gdi::atLeastOnePixel(pen, p.transform()));
    p.setBrush(gdi::brush(dc.brush->lbStyle, dc.brush->lbHatch, colour(dc.brush->lbColor)));
    p.setBackgroundMode(dc.bgmode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    p.setBackground(colour(dc.bgcolor));
    draw(p, *info);
  } catch (...) {
  }
}

QPainterPath polygonPath(const wmfD_Coord* points, int count, bool closed, quint16 fillMode) {
  QPainterPath path;
  path.setFillRule(gdi::fillRule(fillMode));
  for (int i = 0; i < count; ++i) {
    if (i == 0)
      path.moveTo(point(points[i]));
    else
      path.lineTo(point(points[i]));
  }
  if (closed) path.closeSubpath();
  return path;
}

void drawArc(wmfAPI* api, wmfDrawArc_t* info, gdi::ArcShape shape) {
  guarded(api, info, [shape](QPainter& p, wmfDrawArc_t& a) {
    const QRectF box(point(a.TL), point(a.BR));
    // The library gives the ends from the centre, and in the opposite order.
    const QPainterPath path =
        gdi::arc(box, box.center() + point(a.end), box.center() + point(a.start), shape);
    if (shape == gdi::ArcShape::Arc)
      p.strokePath(path, p.pen());
    else
      p.drawPath(path);
  });
}

void drawPoly(wmfAPI* api, wmfPolyLine_t* info, bool closed) {
  guarded(api, info, [closed](QPainter& p, wmfPolyLine_t& l) {
    const QPainterPath path = polygonPath(l.pt, l.count, closed, l.dc->polyfillmode);
    if (closed)
      p.drawPath(path);
    else
      p.strokePath(path, p.pen());
  });
}

void drawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* info) {
  guarded(api, info, [](QPainter& p, wmfPolyPoly_t& pp) {
    QPainterPath path;
    path.setFillRule(gdi::fillRule(pp.dc->polyfillmode));
    for (int i = 0; i < pp.npoly; ++i)
      path.addPath(polygonPath(pp.pt[i], pp.count[i], true, pp.dc->polyfillmode));
    p.drawPath(path);
  });
}

void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* info) {
  guarded(api, info, [](QPainter& p, wmfDrawRectangle_t& r) {
    const QRectF box = QRectF(point(r.TL), point(r.BR)).normalized();
    QPainterPath path;
    path.addRoundedRect(box, r.width / 2, r.height / 2);
    p.drawPath(path);
  });
}

void fillRects(wmfAPI* api, wmfPolyRectangle_t* info) {
  guarded(api, info, [](QPainter& p, wmfPolyRectangle_t& r) {
    for (unsigned i = 0; i < r.count; ++i)
      p.fillRect(QRectF(point(r.TL[i]), point(r.BR[i])).normalized(), p.brush());
  });
}

void clipRects(wmfAPI* api, wmfPolyRectangle_t* info) {
  guarded(api, info, [](QPainter& p, wmfPolyRectangle_t& r) {
    if (r.count == 0) {
      p.setClipping(false);
      return;
    }
    QPainterPath clip;
    for (unsigned i = 0; i < r.count; ++i)
      clip.addRect(QRectF(point(r.TL[i]), point(r.BR[i])).normalized());
    p.setClipPath(clip);
  });
}

void drawText(wmfAPI* api, wmfDrawText_t* info) {
  guarded(api, info, [api](QPainter& p, wmfDrawText_t& t) {
    if (!t.dc->font) return;
    const wmfFont& f = *t.dc->font;
    gdi::TextStyle style;
    style.font = gdi::font(-t.font_height, f.lfWeight, f.lfItalic, f.lfUnderline, f.lfStrikeOut,
                           faceName(api, &f));
    style.escapement = f.lfEscapement;
    style.align = TA_BASELINE;  // the library has placed the text on its baseline
    style.colour = colour(t.dc->textcolor);
    style.opaque = t.dc->bgmode == OPAQUE;
    style.background = colour(t.dc->bgcolor);
    gdi::drawText(p, point(t.pt), QString::fromLatin1(t.str), style);
  });
}

void drawPixel(wmfAPI* api, wmfDrawPixel_t* info) {
  guarded(api, info, [](QPainter& p, wmfDrawPixel_t& d) {
    p.fillRect(QRectF(point(d.pt), QSizeF(d.pixel_width, d.pixel_height)), colour(d.color));
  });
}

void drawLine(wmfAPI* api, wmfDrawLine_t* info) {
  guarded(api, info, [](QPainter& p, wmfDrawLine_t& l) { p.drawLine(point(l.from), point(l.to)); });
}

void fillWithRop(wmfAPI* api, wmfROP_Draw_t* info) {
  guarded(api, info, [](QPainter& p, wmfROP_Draw_t& r) {
    const QRectF box = QRectF(point(r.TL), point(r.BR)).normalized();
    if (r.ROP == BLACKNESS || r.ROP == WHITENESS)
      p.fillRect(box, r.ROP == BLACKNESS ? Qt::black : Qt::white);
    else
      p.fillRect(box, p.brush());
  });
}

void readBitmap(wmfAPI*, wmfBMP_Read_t* read) {
  read->bmp.data = nullptr;
  try {
    auto image =
        std::make_unique<QImage>(readPackedDib(QByteArrayView(read->buffer, read->length)).image);
    if (image->width() > 0xFFFF || image->height() > 0xFFFF) return;
    read->bmp.width = static_cast<U16>(image->width());
    read->bmp.height = static_cast<U16>(image->height());
    read->bmp.data = image.release();
  } catch (...) {
  }
}

void freeBitmap(wmfAPI*, wmfBMP* bmp) {
  delete static_cast<QImage*>(bmp->data);
  bmp->data = nullptr;
}

void drawBitmap(wmfAPI* api, wmfBMP_Draw_t* info) {
  guarded(api, info, [](QPainter& p, wmfBMP_Draw_t& b) {
    if (!b.bmp.data) return;
    const QImage& image = *static_cast<const QImage*>(b.bmp.data);
    // Source rows count from the bottom of the bitmap.
    const QRectF source(b.crop.x, image.height() - b.crop.y - b.crop.h, b.crop.w, b.crop.h);
    const QRectF target(point(b.pt), QSizeF(b.crop.w * b.pixel_width, b.crop.h * b.pixel_height));
    p.drawImage(target.normalized(), image, source);
  });
}

void begin(wmfAPI* api) {
  Device& d = device(api);
  d.painter->save();
  d.base = d.painter->transform();
}

void end(wmfAPI* api) { device(api).painter->restore(); }

void nothing(wmfAPI*) {}
void nothingWithData(wmfAPI*, wmfUserData_t*) {}
void nothingWithFlood(wmfAPI*, wmfFlood_t*) {}
void frameRects(wmfAPI*, wmfPolyRectangle_t*) {}

void installDevice(wmfAPI* api) {
  auto* f = static_cast<wmfFunctionReference*>(wmf_malloc(api, sizeof(wmfFunctionReference)));
  api->device_data = wmf_malloc(api, sizeof(Device*));
  if (!f || !api->device_data) return;
  std::memset(f, 0, sizeof *f);
  f->device_open = f->device_close = nothing;
  f->device_begin = begin;
  f->device_end = end;
  f->flood_interior = f->flood_exterior = nothingWithFlood;
  f->draw_pixel = drawPixel;
  f->draw_pie = [](wmfAPI* a, wmfDrawArc_t* i) { drawArc(a, i, gdi::ArcShape::Pie); };
  f->draw_chord = [](wmfAPI* a, wmfDrawArc_t* i) { drawArc(a, i, gdi::ArcShape::Chord); };
  f->draw_arc = [](wmfAPI* a, wmfDrawArc_t* i) { drawArc(a, i, gdi::ArcShape::Arc); };
  f->draw_ellipse = [](wmfAPI* a, wmfDrawArc_t* i) {
    guarded(a, i,
            [](QPainter& p, wmfDrawArc_t& e) { p.drawEllipse(QRectF(point(e.TL), point(e.BR))); });
  };
  f->draw_line = drawLine;
  f->poly_line = [](wmfAPI* a, wmfPolyLine_t* i) { drawPoly(a, i, false); };
  f->draw_polygon = [](wmfAPI* a, wmfPolyLine_t* i) { drawPoly(a, i, true); };
  f->draw_polypolygon = drawPolyPolygon;
  f->draw_rectangle = drawRectangle;
  f->rop_draw = fillWithRop;
  f->bmp_draw = drawBitmap;
  f->bmp_read = readBitmap;
  f->bmp_free = freeBitmap;
  f->draw_text = drawText;
  f->udata_init = f->udata_copy = f->udata_set = f->udata_free = nothingWithData;
  f->region_frame = frameRects;
  f->region_paint = fillRects;
  f->region_clip = clipRects;
  api->function_reference = f;
}

void mapFont(wmfAPI*, wmfFont*) {}

// Width of the text at a size of one point, in points.
float stringWidth(wmfAPI* api, wmfFont* font, char* text) {
  try {
    QFont f(faceName(api, font));
    f.setPixelSize(100);
    return float(QFontMetricsF(f).horizontalAdvance(QString::fromLatin1(text)) / 100);
  } catch (...) {
    return 0;
  }
}

QString libraryError(wmf_error_t error) {
  switch (error) {
    case wmf_E_InsMem:
      return QStringLiteral("Not enough memory for the metafile");
    case wmf_E_EOF:
      return QStringLiteral("Metafile ends early");
    default:
      return QStringLiteral("Metafile is damaged (error %1)").arg(int(error));
  }
}

// One session of the library over the checked bytes.
class Library {
 public:
  explicit Library(const QByteArray& bytes) : bytes_(bytes) {
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = installDevice;
    options.context = &memory_;
    options.malloc = LibraryMemory::allocate;
    options.realloc = LibraryMemory::reallocate;
    options.free = LibraryMemory::release;
    device_.memory = &memory_;
    check(wmf_lite_create(
        &api_, WMF_OPT_ALLOC | WMF_OPT_FUNCTION | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG, &options));
    if (!api_->device_data || !api_->function_reference)
      throw InvalidGraphic(libraryError(wmf_E_InsMem));
    *static_cast<Device**>(api_->device_data) = &device_;
    auto* fonts = static_cast<wmfFontData*>(wmf_malloc(api_, sizeof(wmfFontData)));
    if (!fonts) throw InvalidGraphic(libraryError(wmf_E_InsMem));
    fonts->map = mapFont;
    fonts->stringwidth = stringWidth;
    fonts->user_data = nullptr;
    api_->font_data = fonts;
    check(wmf_mem_open(api_, reinterpret_cast<unsigned char*>(bytes_.data()), long(bytes_.size())));
  }
  ~Library() {
    if (!api_) return;
    wmf_mem_close(api_);
    wmf_lite_destroy(api_);
  }

  wmfD_Rect scan() {
    wmfD_Rect box;
    check(wmf_scan(api_, 0, &box));
    return box;
  }
  void play(QPainter& painter, const QRectF& target, const Wmf& wmf, wmfD_Rect box) {
    device_.painter = &painter;
    device_.target = target;
    device_.frame = wmf.frame;
    device_.setsWindow = wmf.setsWindow;
    wmf_play(api_, 0, &box);
  }

 private:
  void check(wmf_error_t error) {
    if (error != wmf_E_None) throw InvalidGraphic(libraryError(error));
  }

  QByteArray bytes_;
  LibraryMemory memory_;  // outlives the library, which frees through it
  wmfAPI* api_ = nullptr;
  Device device_;
};

}  // namespace

Wmf readWmf(QByteArrayView bytes) {
  const ByteReader in(bytes, QStringLiteral("Metafile"));
  const bool placeable = in.size() >= 4 && in.u32(0) == kPlaceableKey;
  const qint64 start = placeable ? kPlaceableSize : 0;
  const Walk walk = walkRecords(in, start);
  Wmf wmf{forTheLibrary(bytes, walk, start), {}, {}, !walk.windowExt.isEmpty()};
  Library library(wmf.bytes);
  const wmfD_Rect box = library.scan();
  if (placeable) {
    // The header gives the picture's size only; where it lies is the records' window.
    wmf.frame = QRectF(QPointF(in.s16(6), in.s16(8)), QPointF(in.s16(10), in.s16(12))).normalized();
    const double inch = in.u16(14);
    if (inch == 0 || wmf.frame.isEmpty())
      in.fail(QStringLiteral("has no size in its placeable header"));
    wmf.pixels = wmf.frame.size() * kScreenPixelsPerInch / inch;
  } else {
    // Plain metafiles draw in their logical units, as many as screen pixels.
    wmf.frame = QRectF(point(box.TL), point(box.BR)).normalized();
    wmf.pixels = walk.windowExt.isEmpty() ? wmf.frame.size() : walk.windowExt;
  }
  if (wmf.pixels.isEmpty()) in.fail(QStringLiteral("has no size"));
  return wmf;
}

void playWmf(const Wmf& wmf, QPainter& painter, const QRectF& target) {
  try {
    Library library(wmf.bytes);
    library.play(painter, target, wmf, library.scan());
  } catch (const PictureError&) {
    // Checked when it was read; nothing more to draw.
  }
}
