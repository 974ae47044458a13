#include "services/picture/emf_player.h"

#include <QPainter>
#include <QPainterPath>
#include <optional>
#include <variant>
#include <vector>

#include "services/picture/byte_reader.h"
#include "services/picture/dib.h"
#include "services/picture/gdi_drawing.h"
#include "services/picture/picture_error.h"

namespace {

constexpr quint32 kSignature = 0x464D4520;  // " EMF"
constexpr qint64 kMinHeaderSize = 88;
constexpr int kMaxSavedStates = 1024;
constexpr quint32 kStockObject = 0x80000000;

enum Record : quint32 {
  kHeader = 1,
  kPolyBezier = 2,
  kPolygon = 3,
  kPolyline = 4,
  kPolyBezierTo = 5,
  kPolylineTo = 6,
  kPolyPolyline = 7,
  kPolyPolygon = 8,
  kSetWindowExt = 9,
  kSetWindowOrg = 10,
  kSetViewportExt = 11,
  kSetViewportOrg = 12,
  kEof = 14,
  kSetPixel = 15,
  kSetMapMode = 17,
  kSetBkMode = 18,
  kSetPolyFillMode = 19,
  kSetTextAlign = 22,
  kSetTextColour = 24,
  kSetBkColour = 25,
  kMoveTo = 27,
  kIntersectClipRect = 30,
  kSaveDc = 33,
  kRestoreDc = 34,
  kSetWorldTransform = 35,
  kModifyWorldTransform = 36,
  kSelectObject = 37,
  kCreatePen = 38,
  kCreateBrush = 39,
  kDeleteObject = 40,
  kEllipse = 42,
  kRectangle = 43,
  kRoundRect = 44,
  kArc = 45,
  kChord = 46,
  kPie = 47,
  kLineTo = 54,
  kBeginPath = 59,
  kEndPath = 60,
  kCloseFigure = 61,
  kFillPath = 62,
  kStrokeAndFillPath = 63,
  kStrokePath = 64,
  kSelectClipPath = 67,
  kExtSelectClipRgn = 75,
  kBitBlt = 76,
  kStretchBlt = 77,
  kStretchDiBits = 81,
  kCreateFont = 82,
  kExtTextOutW = 84,
  kPolyBezier16 = 85,
  kPolygon16 = 86,
  kPolyline16 = 87,
  kPolyBezierTo16 = 88,
  kPolylineTo16 = 89,
  kPolyPolyline16 = 90,
  kPolyPolygon16 = 91,
  kExtCreatePen = 95,
};

enum MapMode {
  kText = 1,
  kLoMetric,
  kHiMetric,
  kLoEnglish,
  kHiEnglish,
  kTwips,
  kIsotropic,
  kAnisotropic
};

// Logical units per millimetre of the fixed mapping modes.
double unitsPerMillimetre(int mode) {
  switch (mode) {
    case kLoMetric:
      return 10;
    case kHiMetric:
      return 100;
    case kLoEnglish:
      return 100 / 25.4;
    case kHiEnglish:
      return 1000 / 25.4;
    default:
      return 1440 / 25.4;
  }
}

struct Font {
  QFont font;
  double height;
  double escapement;
};
using Object = std::variant<std::monostate, QPen, QBrush, Font>;

struct State {
  QTransform world;
  int mapMode = kText;
  QPointF windowOrg, viewportOrg;
  QSizeF windowExt{1, 1}, viewportExt{1, 1};
  QPen pen{Qt::black, 0};
  QBrush brush{Qt::white};
  Font font{gdi::font(0, 400, false, false, false, {}), 0, 0};
  gdi::TextStyle text;
  Qt::FillRule fill = Qt::OddEvenFill;
  QPointF position;
};

class Player {
 public:
  Player(const EmfHeader& header, QPainter& painter, const QRectF& target)
      : header_(header), painter_(painter), objects_(header.handles) {
    painter_.save();
    const QRectF frame = header.frameInDevicePixels();
    toTarget_ =
        QTransform::fromTranslate(-frame.left(), -frame.top()) *
        QTransform::fromScale(target.width() / frame.width(), target.height() / frame.height()) *
        QTransform::fromTranslate(target.left(), target.top()) *
        painter.transform();  // whoever draws it may have moved or scaled the painter
    applyTransform();
  }
  // Leaves the painter as it was, however play ended.
  ~Player() {
    for (size_t i = 0; i <= saved_.size(); ++i) painter_.restore();
  }

  void play(const ByteReader& r, quint32 type);
  bool ended() const { return ended_; }

 private:
  // Mapping from logical units to the reference device.
  QTransform mapping() const;
  void applyTransform() { painter_.setTransform(s_.world * mapping() * toTarget_); }
  void applyTools();

  static QPointF point32(const ByteReader& r, qint64 at) {
    return QPointF(r.s32(at), r.s32(at + 4));
  }
  static QPointF point16(const ByteReader& r, qint64 at) {
    return QPointF(r.s16(at), r.s16(at + 2));
  }
  static QRectF rect(const ByteReader& r, qint64 at) {
    return QRectF(point32(r, at), point32(r, at + 8)).normalized();
  }
  static QPolygonF points(const ByteReader& r, qint64 at, qint64 count, bool small);

  void poly(const ByteReader& r, quint32 type);
  void polyPoly(const ByteReader& r, bool closed, bool small);
  void shape(const QPainterPath& path, bool closed);
  void lineTo(QPointF to);
  void selectObject(quint32 handle);
  void createObject(const ByteReader& r, quint32 type);
  void setWorldTransform(const ByteReader& r, quint32 type);
  void restoreDc(qint32 which);
  void text(const ByteReader& r);
  void bitmap(const ByteReader& r, quint32 type);
  void pathCommand(quint32 type);

  const EmfHeader& header_;
  QPainter& painter_;
  QTransform toTarget_;
  State s_;
  std::vector<State> saved_;
  std::vector<Object> objects_;
  std::optional<QPainterPath> building_;
  QPainterPath path_;
  bool ended_ = false;
};

QTransform Player::mapping() const {
  double sx = 1, sy = 1;
  if (s_.mapMode == kIsotropic || s_.mapMode == kAnisotropic) {
    sx = s_.viewportExt.width() / s_.windowExt.width();
    sy = s_.viewportExt.height() / s_.windowExt.height();
    if (s_.mapMode == kIsotropic) {
      const double scale = std::min(std::abs(sx), std::abs(sy));
      sx = std::copysign(scale, sx), sy = std::copysign(scale, sy);
    }
  } else if (s_.mapMode != kText) {
    const double perMm = unitsPerMillimetre(s_.mapMode);
    sx = header_.device.width() / (header_.millimeters.width() * perMm);
    sy = -double(header_.device.height()) / (header_.millimeters.height() * perMm);
  }
  if (!std::isfinite(sx) || !std::isfinite(sy)) sx = sy = 1;
  return QTransform::fromTranslate(-s_.windowOrg.x(), -s_.windowOrg.y()) *
         QTransform::fromScale(sx, sy) *
         QTransform::fromTranslate(s_.viewportOrg.x(), s_.viewportOrg.y());
}

void Player::applyTools() {
  painter_.setPen(gdi::atLeastOnePixel(s_.pen, painter_.transform()));
  painter_.setBrush(s_.brush);
  painter_.setBackgroundMode(s_.text.opaque ? Qt::OpaqueMode : Qt::TransparentMode);
  painter_.setBackground(s_.text.background);
}

QPolygonF Player::points(const ByteReader& r, qint64 at, qint64 count, bool small) {
  const qint64 size = small ? 4 : 8;
  r.slice(at, count * size);  // the whole run must be there before we read it
  QPolygonF polygon;
  polygon.reserve(count);
  for (qint64 i = 0; i < count; ++i)
    polygon << (small ? point16(r, at + i * size) : point32(r, at + i * size));
  return polygon;
}

void Player::shape(const QPainterPath& path, bool closed) {
  if (building_) {
    building_->addPath(path);
    return;
  }
  applyTools();
  if (closed) {
    painter_.drawPath(path);
  } else {
    painter_.strokePath(path, painter_.pen());
  }
}

void Player::lineTo(QPointF to) {
  if (building_) {
    if (building_->elementCount() == 0) building_->moveTo(s_.position);
    building_->lineTo(to);
  } else {
    applyTools();
    painter_.drawLine(s_.position, to);
  }
  s_.position = to;
}

void Player::poly(const ByteReader& r, quint32 type) {
  const bool small = type >= kPolyBezier16;
  const quint32 kind = small ? type - kPolyBezier16 + kPolyBezier : type;
  const QPolygonF p = points(r, 28, r.u32(24), small);
  if (p.isEmpty()) return;
  QPainterPath path;
  const bool continues = kind == kPolyBezierTo || kind == kPolylineTo;
  if (continues && building_ && building_->elementCount() > 0)
    path = *building_, building_->clear();
  else
    path.moveTo(continues ? s_.position : p.first());
  const bool bezier = kind == kPolyBezier || kind == kPolyBezierTo;
  for (qsizetype i = continues ? 0 : 1; i < p.size(); i += bezier ? 3 : 1) {
    if (bezier && i + 2 < p.size())
      path.cubicTo(p[i], p[i + 1], p[i + 2]);
    else
      path.lineTo(p[i]);
  }
  if (kind == kPolygon) path.closeSubpath();
  path.setFillRule(s_.fill);
  if (continues) s_.position = p.last();
  shape(path, kind == kPolygon);
}

void Player::polyPoly(const ByteReader& r, bool closed, bool small) {
  const qint64 polygons = r.u32(24);
  r.slice(32, polygons * 4);
  qint64 at = 32 + polygons * 4;
  QPainterPath path;
  path.setFillRule(s_.fill);
  for (qint64 i = 0; i < polygons; ++i) {
    const qint64 count = r.u32(32 + i * 4);
    const QPolygonF p = points(r, at, count, small);
    at += count * (small ? 4 : 8);
    if (closed)
      path.addPolygon(p), path.closeSubpath();
    else
      path.addPolygon(p);
  }
  shape(path, closed);
}

void Player::selectObject(quint32 handle) {
  if (handle & kStockObject) {
    static const QColor kGreys[] = {Qt::white, QColor(192, 192, 192), QColor(128, 128, 128),
                                    QColor(64, 64, 64), Qt::black};
    const quint32 stock = handle & ~kStockObject;
    if (stock <= 4) s_.brush = QBrush(kGreys[stock]);
    if (stock == 5) s_.brush = Qt::NoBrush;
    if (stock == 6 || stock == 7) s_.pen = QPen(stock == 6 ? Qt::white : Qt::black, 0);
    if (stock == 8) s_.pen = Qt::NoPen;
    return;
  }
  if (handle >= objects_.size()) return;
  const Object& object = objects_[handle];
  if (const auto* pen = std::get_if<QPen>(&object)) s_.pen = *pen;
  if (const auto* brush = std::get_if<QBrush>(&object)) s_.brush = *brush;
  if (const auto* font = std::get_if<Font>(&object)) s_.font = *font;
}

void Player::createObject(const ByteReader& r, quint32 type) {
  const quint32 handle = r.u32(8);
  if (handle >= objects_.size()) return;
  Object& object = objects_[handle];
  if (type == kCreatePen) {
    object = gdi::pen(r.u32(12), r.s32(16), gdi::colour(r.u32(24)));
  } else if (type == kExtCreatePen) {
    const bool geometric = r.u32(28) & 0x10000;
    object = gdi::pen(r.u32(28), geometric ? r.u32(32) : 0, gdi::colour(r.u32(40)));
  } else if (type == kCreateBrush) {
    object = gdi::brush(r.u32(12), r.u32(20), gdi::colour(r.u32(16)));
  } else {
    const QByteArrayView face = r.slice(40, 64);
    const QString name = QString::fromUtf16(reinterpret_cast<const char16_t*>(face.data()), 32);
    const double height = r.s32(12);
    object = Font{
        gdi::font(height, r.s32(28), r.u8(32), r.u8(33), r.u8(34), name.section(QChar(0), 0, 0)),
        height, double(r.s32(20))};
  }
}

void Player::setWorldTransform(const ByteReader& r, quint32 type) {
  const QTransform given(r.f32(8), r.f32(12), r.f32(16), r.f32(20), r.f32(24), r.f32(28));
  const quint32 mode = type == kSetWorldTransform ? 4 : r.u32(32);
  if (mode == 1) s_.world = QTransform();
  if (mode == 2) s_.world = given * s_.world;
  if (mode == 3) s_.world = s_.world * given;
  if (mode == 4) s_.world = given;
}

void Player::restoreDc(qint32 which) {
  const qint64 depth = qint64(saved_.size());
  const qint64 to = which < 0 ? depth + which : qint64(which) - 1;
  if (to < 0 || to >= depth) return;
  while (qint64(saved_.size()) > to) {
    s_ = saved_.back();
    saved_.pop_back();
    painter_.restore();
  }
}

void Player::text(const ByteReader& r) {
  const qint64 count = r.u32(44);
  const QByteArrayView chars = r.slice(r.u32(48), count * 2);
  const QString string = QString::fromUtf16(reinterpret_cast<const char16_t*>(chars.data()), count);
  const bool updatesPosition = s_.text.align & 1;
  gdi::TextStyle style = s_.text;
  style.font = s_.font.font;
  style.escapement = s_.font.escapement;
  gdi::drawText(painter_, updatesPosition ? s_.position : point32(r, 36), string, style);
}

void Player::bitmap(const ByteReader& r, quint32 type) {
  const bool stretchDib = type == kStretchDiBits;
  const QRectF dest = stretchDib ? QRectF(r.s32(24), r.s32(28), r.s32(72), r.s32(76))
                                 : QRectF(r.s32(24), r.s32(28), r.s32(32), r.s32(36));
  const qint64 bmiAt = stretchDib ? 48 : 84;
  if (r.u32(bmiAt + 4) == 0) {  // no source: a fill with the brush
    const quint32 rop = r.u32(40);
    painter_.fillRect(dest.normalized(), rop == 0x42       ? QBrush(Qt::black)
                                         : rop == 0xFF0062 ? QBrush(Qt::white)
                                                           : s_.brush);
    return;
  }
  const DibHeader header = readDibHeader(r.slice(r.u32(bmiAt), r.u32(bmiAt + 4)));
  const QImage image = decodeDib(header, r.slice(r.u32(bmiAt + 8), r.u32(bmiAt + 12))).image;
  QRectF source = image.rect();
  if (stretchDib) {
    const double y = r.s32(36), height = r.s32(44);
    // Source rows count from the bottom of a bottom-up bitmap.
    const double top = header.topDown ? y : image.height() - y - height;
    source = QRectF(r.s32(32), top, r.s32(40), height);
  } else if (type == kStretchBlt) {
    source = QRectF(r.s32(44), r.s32(48), r.s32(100), r.s32(104));
  } else {
    source = QRectF(r.s32(44), r.s32(48), dest.width(), dest.height());
  }
  painter_.drawImage(dest.normalized(), image, source.normalized());
}

void Player::pathCommand(quint32 type) {
  if (type == kBeginPath) building_ = QPainterPath(), building_->setFillRule(s_.fill);
  if (type == kEndPath && building_) path_ = *building_, building_.reset();
  if (type == kCloseFigure && building_) building_->closeSubpath();
  if (type == kFillPath || type == kStrokePath || type == kStrokeAndFillPath) {
    applyTools();
    if (type == kFillPath) painter_.fillPath(path_, s_.brush);
    if (type == kStrokePath) painter_.strokePath(path_, painter_.pen());
    if (type == kStrokeAndFillPath) painter_.drawPath(path_);
  }
  if (type == kSelectClipPath) painter_.setClipPath(path_, Qt::IntersectClip);
}

void Player::play(const ByteReader& r, quint32 type) {
  switch (type) {
    case kEof:
      ended_ = true;
      break;
    case kPolyBezier:
    case kPolygon:
    case kPolyline:
    case kPolyBezierTo:
    case kPolylineTo:
    case kPolyBezier16:
    case kPolygon16:
    case kPolyline16:
    case kPolyBezierTo16:
    case kPolylineTo16:
      poly(r, type);
      break;
    case kPolyPolyline:
    case kPolyPolygon:
      polyPoly(r, type == kPolyPolygon, false);
      break;
    case kPolyPolyline16:
    case kPolyPolygon16:
      polyPoly(r, type == kPolyPolygon16, true);
      break;
    case kSetWindowExt:
      s_.windowExt = QSizeF(r.s32(8), r.s32(12));
      break;
    case kSetWindowOrg:
      s_.windowOrg = point32(r, 8);
      break;
    case kSetViewportExt:
      s_.viewportExt = QSizeF(r.s32(8), r.s32(12));
      break;
    case kSetViewportOrg:
      s_.viewportOrg = point32(r, 8);
      break;
    case kSetMapMode:
      s_.mapMode = std::clamp(int(r.u32(8)), int(kText), int(kAnisotropic));
      break;
    case kSetBkMode:
      s_.text.opaque = r.u32(8) == 2;
      break;
    case kSetPolyFillMode:
      s_.fill = gdi::fillRule(r.u32(8));
      break;
    case kSetTextAlign:
      s_.text.align = r.u32(8);
      break;
    case kSetTextColour:
      s_.text.colour = gdi::colour(r.u32(8));
      break;
    case kSetBkColour:
      s_.text.background = gdi::colour(r.u32(8));
      break;
    case kSetPixel:
      painter_.fillRect(QRectF(point32(r, 8), QSizeF(1, 1)), gdi::colour(r.u32(16)));
      break;
    case kMoveTo:
      s_.position = point32(r, 8);
      if (building_) building_->moveTo(s_.position);
      break;
    case kLineTo:
      lineTo(point32(r, 8));
      break;
    case kIntersectClipRect:
      painter_.setClipRect(rect(r, 8), Qt::IntersectClip);
      break;
    case kExtSelectClipRgn:
      painter_.setClipping(false);
      break;
    case kSaveDc:
      if (saved_.size() < kMaxSavedStates) saved_.push_back(s_), painter_.save();
      break;
    case kRestoreDc:
      restoreDc(r.s32(8));
      break;
    case kSetWorldTransform:
    case kModifyWorldTransform:
      setWorldTransform(r, type);
      break;
    case kSelectObject:
      selectObject(r.u32(8));
      break;
    case kCreatePen:
    case kExtCreatePen:
    case kCreateBrush:
    case kCreateFont:
      createObject(r, type);
      break;
    case kDeleteObject:
      if (r.u32(8) < objects_.size()) objects_[r.u32(8)] = std::monostate();
      break;
    case kEllipse: {
      QPainterPath p;
      p.addEllipse(rect(r, 8));
      shape(p, true);
      break;
    }
    case kRectangle: {
      QPainterPath p;
      p.addRect(rect(r, 8));
      shape(p, true);
      break;
    }
    case kRoundRect: {
      QPainterPath p;
      p.addRoundedRect(rect(r, 8), r.s32(24) / 2.0, r.s32(28) / 2.0);
      shape(p, true);
      break;
    }
    case kArc:
    case kChord:
    case kPie: {
      const auto kind = type == kArc     ? gdi::ArcShape::Arc
                        : type == kChord ? gdi::ArcShape::Chord
                                         : gdi::ArcShape::Pie;
      shape(gdi::arc(rect(r, 8), point32(r, 24), point32(r, 32), kind), type != kArc);
      break;
    }
    case kBeginPath:
    case kEndPath:
    case kCloseFigure:
    case kFillPath:
    case kStrokePath:
    case kStrokeAndFillPath:
    case kSelectClipPath:
      pathCommand(type);
      break;
    case kBitBlt:
    case kStretchBlt:
    case kStretchDiBits:
      bitmap(r, type);
      break;
    case kExtTextOutW:
      text(r);
      break;
    default:
      break;  // records that change nothing we draw
  }
  applyTransform();
}

}  // namespace

QRectF EmfHeader::frameInDevicePixels() const {
  if (device.isEmpty() || millimeters.isEmpty() || frame.isEmpty()) return bounds;
  const double sx = device.width() / (millimeters.width() * 100.0);
  const double sy = device.height() / (millimeters.height() * 100.0);
  return QRectF(frame.left() * sx, frame.top() * sy, frame.width() * sx, frame.height() * sy);
}

EmfHeader readEmfHeader(QByteArrayView bytes) {
  const ByteReader in(bytes, QStringLiteral("Enhanced metafile"));
  if (in.u32(0) != kHeader || in.u32(40) != kSignature) in.fail(QStringLiteral("has no signature"));
  if (in.u32(4) < kMinHeaderSize) in.fail(QStringLiteral("header is too short"));
  EmfHeader header;
  // Rectangles are inclusive of both edges; 32-bit corners may be far apart.
  header.bounds =
      QRectF(QPointF(in.s32(8), in.s32(12)), QPointF(in.s32(16) + 1.0, in.s32(20) + 1.0));
  header.frame =
      QRectF(QPointF(in.s32(24), in.s32(28)), QPointF(in.s32(32) + 1.0, in.s32(36) + 1.0));
  header.handles = in.u16(56);
  header.device = QSize(in.s32(72), in.s32(76));
  header.millimeters = QSize(in.s32(80), in.s32(84));
  header.size = std::min<qint64>(in.u32(48), in.size());
  if (header.frameInDevicePixels().isEmpty()) in.fail(QStringLiteral("has no size"));
  for (qint64 at = 0;;) {
    const qint64 size = in.u32(at + 4);
    if (size < 8 || size % 4 != 0 || !in.has(at, size))
      in.fail(QStringLiteral("has a record whose size is wrong at byte %1").arg(at));
    if (in.u32(at) == kEof) break;
    at += size;
  }
  return header;
}

void playEmf(QByteArrayView bytes, QPainter& painter, const QRectF& target, bool strict) {
  const EmfHeader header = readEmfHeader(bytes);
  const ByteReader file(bytes, QStringLiteral("Enhanced metafile"));
  Player player(header, painter, target);
  for (qint64 at = file.u32(4); !player.ended(); at += file.u32(at + 4)) {
    const quint32 type = file.u32(at);
    const ByteReader record(file.slice(at, file.u32(at + 4)),
                            QStringLiteral("Enhanced metafile record %1").arg(type));
    try {
      player.play(record, type);
    } catch (const PictureError&) {
      if (strict) throw;
    }
  }
}
