#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

// Where a picture and its file details stand on the printed page and on the
// preview of it. Pure arithmetic, in the page's own pixels.

// The zoom factor that means "stretch over the whole page".
constexpr int FitToPage = 99;

struct PageLayout {
  QRect picture;
  // Where the file details text starts; none when the layout has no room for it.
  std::optional<QPoint> textOrigin;
};

// A page taller than it is wide (in eighths, as the options dialog judges it).
bool IsPortrait(QSize page);

// The zoom the options dialog suggests for a picture of this size.
int PreselectedZoom(QSize picture);

// The printed page: the picture at twice its zoomed size from the top-left
// margin or around the page centre, or the whole page for FitToPage.
PageLayout PrintLayout(QSize page, QSize picture, int zoom, bool centred);

// The preview window's size: the page scaled down by 2, 4, 6, ... until it
// fits the box the orientation allows, each side with its own divisor.
QSize PreviewWindowSize(QSize page, bool portrait);

// The preview of the printed page, in the preview window's pixels.
PageLayout PreviewLayout(QSize window, QSize picture, int zoom, bool centred);
