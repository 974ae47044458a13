#include "windows/print/page_layout.h"

namespace {

QRect edges(int left, int top, int right, int bottom) {
  return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

// Twice the given size, around the centre of the area.
PageLayout centredLayout(QSize area, QSize size) {
  const int cx = area.width() / 2;
  const int cy = area.height() / 2;
  const int w = size.width();
  const int h = size.height();
  return {edges(cx - w, cy - h, cx + w, cy + h), QPoint(cx - w, cy + h)};
}

// A fitted picture covers the whole area, centred or not: doubling the area
// around its centre would leave three quarters of the picture off the page.
PageLayout layout(QSize area, QSize size, bool fit, bool centred, int margin, int textGap) {
  if (fit) return {edges(0, 0, area.width(), area.height()), std::nullopt};
  if (centred) return centredLayout(area, size);
  const int right = margin + 2 * size.width();
  const int bottom = margin + 2 * size.height();
  return {edges(margin, margin, right, bottom), QPoint(margin, bottom + textGap)};
}

int scaledToFit(int side, int limit) {
  int divisor = 2;
  while (side / divisor > limit) divisor += 2;
  return side / divisor;
}

}  // namespace

bool IsPortrait(QSize page) { return page.height() / 8 > page.width() / 8; }

int PreselectedZoom(QSize picture) {
  const int h = picture.height();
  const int w = picture.width();
  if (h <= 100 && w <= 100) return 10;
  if (h <= 200 && w <= 200) return 8;
  if (h <= 500 && w <= 500) return 4;
  if (h > 700 || w > 700) return 1;
  return 2;
}

PageLayout PrintLayout(QSize page, QSize picture, int zoom, bool centred) {
  const bool fit = zoom == FitToPage;
  return layout(page, fit ? page : picture * zoom, fit, centred, 50, 0);
}

QSize PreviewWindowSize(QSize page, bool portrait) {
  const int heightLimit = portrait ? 496 : 361;
  const int widthLimit = portrait ? 361 : 496;
  return {scaledToFit(page.width(), widthLimit), scaledToFit(page.height(), heightLimit)};
}

PageLayout PreviewLayout(QSize window, QSize picture, int zoom, bool centred) {
  const bool fit = zoom == FitToPage;
  const QSize eighth(picture.width() / 8, picture.height() / 8);
  return layout(window, fit ? window : eighth * zoom, fit, centred, 10, 2);
}
