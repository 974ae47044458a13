#include <gtest/gtest.h>

#include "windows/print/page_layout.h"

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

TEST(PageLayout, PreviewDivisorsGrowByTwoEachSideOnItsOwn) {
  EXPECT_EQ(PreviewWindowSize({4800, 6800}, true), QSize(342, 485));
  EXPECT_EQ(PreviewWindowSize({6800, 4800}, false), QSize(485, 342));
  EXPECT_EQ(PreviewWindowSize({700, 900}, true), QSize(350, 450)) << "both at the first divisor";
  EXPECT_EQ(PreviewWindowSize({724, 992}, true), QSize(181, 496)) << "only the width goes on to 4";
}

// Every layout doubles the zoomed picture, except the fitted one, which
// covers exactly the page (or the preview window), centred or not.
TEST(PageLayout, PictureAndTextStandWhereTheLayoutTablesSay) {
  struct Case {
    const char* what;
    PageLayout layout;
    QRect picture;
    std::optional<QPoint> text;
  };
  const QSize page(4800, 6800), window(342, 485);
  const Case cases[] = {
      {"print", PrintLayout(page, {90, 90}, 10, false), edges(50, 50, 1850, 1850),
       QPoint(50, 1850)},
      {"print centred", PrintLayout({4801, 6801}, {100, 50}, 4, true),
       edges(2400 - 400, 3400 - 200, 2400 + 400, 3400 + 200), QPoint(2000, 3600)},
      {"print fitted", PrintLayout(page, {90, 30}, FitToPage, false), edges(0, 0, 4800, 6800), {}},
      {"print fitted and centred",
       PrintLayout(page, {90, 30}, FitToPage, true),
       edges(0, 0, 4800, 6800),
       {}},
      {"preview", PreviewLayout(window, {100, 80}, 4, false), edges(10, 10, 106, 90),
       QPoint(10, 92)},
      {"preview centred", PreviewLayout(window, {100, 80}, 4, true),
       edges(171 - 48, 242 - 40, 171 + 48, 242 + 40), QPoint(123, 282)},
      {"preview fitted and centred",
       PreviewLayout(window, {100, 80}, FitToPage, true),
       edges(0, 0, 342, 485),
       {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.layout.picture, c.picture) << c.what;
    EXPECT_EQ(c.layout.textOrigin, c.text) << c.what;
  }
}

}  // namespace
