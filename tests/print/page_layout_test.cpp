#include <gtest/gtest.h>

#include "print/page_layout.h"

namespace {

// Rectangles as left, top, right, bottom, the way the layout tables give them.
QRect edges(int left, int top, int right, int bottom) {
  return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

TEST(PageLayout, ZoomIsPreselectedBySizeFirstMatchWinning) {
  EXPECT_EQ(PreselectedZoom({90, 90}), 10);
  EXPECT_EQ(PreselectedZoom({100, 100}), 10);
  EXPECT_EQ(PreselectedZoom({101, 50}), 8);
  EXPECT_EQ(PreselectedZoom({200, 200}), 8);
  EXPECT_EQ(PreselectedZoom({500, 201}), 4);
  EXPECT_EQ(PreselectedZoom({600, 400}), 2);
  EXPECT_EQ(PreselectedZoom({700, 700}), 2);
  EXPECT_EQ(PreselectedZoom({701, 10}), 1);
  EXPECT_EQ(PreselectedZoom({10, 701}), 1);
}

TEST(PageLayout, PortraitIsJudgedInEighths) {
  EXPECT_TRUE(IsPortrait({4800, 6800}));
  EXPECT_FALSE(IsPortrait({6800, 4800}));
  EXPECT_FALSE(IsPortrait({800, 807})) << "the same number of eighths is landscape";
}

TEST(PageLayout, UncentredPrintDoublesTheZoomedPictureFromTheMargin) {
  const PageLayout layout = PrintLayout({4800, 6800}, {90, 90}, 10, false);
  EXPECT_EQ(layout.picture, edges(50, 50, 1850, 1850));
  EXPECT_EQ(layout.textOrigin, QPoint(50, 1850));
}

TEST(PageLayout, CentredPrintDoublesTheZoomedPictureAroundThePageCentre) {
  const PageLayout layout = PrintLayout({4801, 6801}, {100, 50}, 4, true);
  EXPECT_EQ(layout.picture, edges(2400 - 400, 3400 - 200, 2400 + 400, 3400 + 200));
  EXPECT_EQ(layout.textOrigin, QPoint(2000, 3600));
}

TEST(PageLayout, FitToPageCoversTheWholePageCentredOrNotWithoutText) {
  for (bool centred : {false, true}) {
    const PageLayout layout = PrintLayout({4800, 6800}, {90, 30}, FitToPage, centred);
    EXPECT_EQ(layout.picture, edges(0, 0, 4800, 6800)) << "centred " << centred;
    EXPECT_FALSE(layout.textOrigin);
  }
}

TEST(PageLayout, PreviewDivisorsGrowByTwoEachSideOnItsOwn) {
  EXPECT_EQ(PreviewWindowSize({4800, 6800}, true), QSize(342, 485));
  EXPECT_EQ(PreviewWindowSize({6800, 4800}, false), QSize(485, 342));
  EXPECT_EQ(PreviewWindowSize({700, 900}, true), QSize(350, 450)) << "both at the first divisor";
  EXPECT_EQ(PreviewWindowSize({724, 992}, true), QSize(181, 496)) << "only the width goes on to 4";
}

TEST(PageLayout, PreviewPlacesAnEighthOfThePictureTimesTheZoom) {
  const PageLayout layout = PreviewLayout({342, 485}, {100, 80}, 4, false);
  EXPECT_EQ(layout.picture, edges(10, 10, 106, 90));
  EXPECT_EQ(layout.textOrigin, QPoint(10, 92));
}

TEST(PageLayout, CentredPreviewAndFittedPreview) {
  const PageLayout centred = PreviewLayout({342, 485}, {100, 80}, 4, true);
  EXPECT_EQ(centred.picture, edges(171 - 48, 242 - 40, 171 + 48, 242 + 40));
  EXPECT_EQ(centred.textOrigin, QPoint(123, 282));
  for (bool centre : {false, true})
    EXPECT_EQ(PreviewLayout({342, 485}, {100, 80}, FitToPage, centre).picture,
              edges(0, 0, 342, 485));
}

}  // namespace
