#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QRectF>
#include <QString>
#include <QTransform>

class QPainter;

// The Windows drawing conventions both metafile players share, expressed
// with Qt's pens, brushes and paths.
namespace gdi {

QColor colour(quint32 colourRef);
// A pen of the given style word (style, end cap and join bits) whose width
// is in logical units; width 0 is one device pixel at any scale.
QPen pen(quint32 style, double width, QColor colour);
// GDI draws every line at least one pixel wide, however small the scale.
QPen atLeastOnePixel(QPen pen, const QTransform& transform);
QBrush brush(quint32 style, quint32 hatch, QColor colour);
Qt::FillRule fillRule(quint32 polyFillMode);

enum class ArcShape { Arc, Chord, Pie };
// The arc runs counter-clockwise from the ray through `start` to the ray
// through `end`, both seen from the centre of `box`.
QPainterPath arc(const QRectF& box, QPointF start, QPointF end, ArcShape shape);

struct TextStyle {
  QFont font;  // pixel size in logical units
  double height = 0;  // logical units; negative means the character height
  double escapement = 0;  // tenths of a degree, counter-clockwise
  quint32 align = 0;  // TA_ bits
  QColor colour = Qt::black;
  bool opaque = false;  // the text's box is filled with `background`
  QColor background = Qt::white;
};

QFont font(double height, int weight, bool italic, bool underline, bool strikeOut,
           const QString& face);
// Text at a reference point in logical units of the painter's transform; the
// glyphs stay upright whatever way the mapping turns the y axis.
void drawText(QPainter& painter, QPointF reference, const QString& text, const TextStyle& style);

}  // namespace gdi
