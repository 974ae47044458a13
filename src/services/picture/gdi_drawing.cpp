#include "services/picture/gdi_drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

namespace gdi {

namespace {

// The largest text we draw, in pixels on the device.
constexpr double kMaxTextPixels = 32767;

enum : quint32 {
  kPenStyleMask = 0xF,
  kPenNull = 5,
  kEndCapMask = 0xF00,
  kEndCapSquare = 0x100,
  kEndCapFlat = 0x200,
  kJoinMask = 0xF000,
  kJoinBevel = 0x1000,
  kJoinMiter = 0x2000,
};
enum : quint32 { kTextRight = 2, kTextCentre = 6, kTextBottom = 8, kTextBaseline = 24 };

Qt::PenStyle penStyle(quint32 style) {
  switch (style & kPenStyleMask) {
    case 1:
      return Qt::DashLine;
    case 2:
      return Qt::DotLine;
    case 3:
      return Qt::DashDotLine;
    case 4:
      return Qt::DashDotDotLine;
    case kPenNull:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

// Text taller than the whole device cannot be seen whole, and a colour font
// would build a glyph image of that size for it, so it is left out.
double largestTextPixels(const QPaintDevice& device) {
  return std::min<double>(kMaxTextPixels, std::max(device.width(), device.height()));
}

double parametricAngle(const QRectF& box, QPointF point) {
  const QPointF c = box.center();
  const double rx = std::max(box.width() / 2, 1e-9), ry = std::max(box.height() / 2, 1e-9);
  return qRadiansToDegrees(std::atan2(-(point.y() - c.y()) / ry, (point.x() - c.x()) / rx));
}

}  // namespace

QColor colour(quint32 colourRef) {
  return QColor(int(colourRef & 0xFF), int(colourRef >> 8 & 0xFF), int(colourRef >> 16 & 0xFF));
}

QPen pen(quint32 style, double width, QColor colour) {
  QPen pen(colour, std::max(width, 0.0), penStyle(style));
  const quint32 cap = style & kEndCapMask, join = style & kJoinMask;
  pen.setCapStyle(cap == kEndCapSquare ? Qt::SquareCap
                  : cap == kEndCapFlat ? Qt::FlatCap
                                       : Qt::RoundCap);
  pen.setJoinStyle(join == kJoinBevel   ? Qt::BevelJoin
                   : join == kJoinMiter ? Qt::MiterJoin
                                        : Qt::RoundJoin);
  return pen;
}

QBrush brush(quint32 style, quint32 hatch, QColor colour) {
  static constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                Qt::FDiagPattern, Qt::BDiagPattern,
                                                Qt::CrossPattern, Qt::DiagCrossPattern};
  switch (style) {
    case 0:
      return QBrush(colour);
    case 2:
      return QBrush(colour, hatch < 6 ? kHatches[hatch] : Qt::SolidPattern);
    case 1:
      return Qt::NoBrush;
    default:
      return QBrush(colour);  // pattern brushes: their colour is the best we have
  }
}

QPen atLeastOnePixel(QPen pen, const QTransform& transform) {
  const double scale = std::sqrt(std::abs(transform.determinant()));
  if (pen.widthF() * scale < 1) pen.setWidthF(0);
  return pen;
}

Qt::FillRule fillRule(quint32 polyFillMode) {
  return polyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill;
}

QPainterPath arc(const QRectF& box, QPointF start, QPointF end, ArcShape shape) {
  const double from = parametricAngle(box, start);
  double span = parametricAngle(box, end) - from;
  if (span <= 0) span += 360;
  QPainterPath path;
  if (shape == ArcShape::Pie)
    path.moveTo(box.center());
  else
    path.arcMoveTo(box, from);
  path.arcTo(box, from, span);
  if (shape != ArcShape::Arc) path.closeSubpath();
  return path;
}

QFont font(double height, int weight, bool italic, bool underline, bool strikeOut,
           const QString& face) {
  QFont font(face.isEmpty() ? QStringLiteral("Sans Serif") : face);
  // Qt's weights run 1..1000 like the Windows ones; 0 means normal.
  font.setWeight(QFont::Weight(std::clamp(weight == 0 ? 400 : weight, 1, 1000)));
  font.setItalic(italic);
  font.setUnderline(underline);
  font.setStrikeOut(strikeOut);
  // A positive height counts the internal leading too.
  const double size = height < 0 ? -height : height > 0 ? height * 0.85 : 12;
  // A file may ask for any 32-bit height; beyond this no text is drawn anyway.
  font.setPixelSize(qRound(std::clamp(size, 1.0, kMaxTextPixels)));
  return font;
}

void drawText(QPainter& painter, QPointF reference, const QString& text, const TextStyle& style) {
  const QTransform& t = painter.worldTransform();
  const double scale = std::hypot(t.m21(), t.m22());
  const QPointF at = t.map(reference);
  QFont font = style.font;
  const double pixels = font.pixelSize() * scale;
  if (!(pixels >= 1 && pixels <= largestTextPixels(*painter.device()))) return;
  font.setPixelSize(qRound(pixels));
  const QFontMetricsF metrics(font, painter.device());
  const double width = metrics.horizontalAdvance(text);
  const quint32 horizontal = style.align & kTextCentre;
  const quint32 vertical = style.align & kTextBaseline;
  const double dx = horizontal == kTextCentre ? -width / 2 : horizontal == kTextRight ? -width : 0;
  const double dy = vertical == kTextBaseline ? 0
                    : vertical == kTextBottom ? -metrics.descent()
                                              : metrics.ascent();
  painter.save();
  painter.resetTransform();
  painter.translate(at);
  painter.rotate(-style.escapement / 10);
  if (style.opaque)
    painter.fillRect(QRectF(dx, dy - metrics.ascent(), width, metrics.height()), style.background);
  painter.setFont(font);
  painter.setPen(style.colour);
  painter.drawText(QPointF(dx, dy), text);
  painter.restore();
}

}  // namespace gdi
