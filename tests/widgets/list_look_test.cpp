#include "widgets/list_look.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QListWidget>

#include "program/settings.h"

namespace {

class ListLookTest : public ::testing::Test {
 protected:
  Settings settings;
  QListWidget list;
  QLabel text;
  ListLook look{settings, list, text, true};
};

TEST_F(ListLookTest, StepsWalkTheSizeLadderAndOddSizesJumpToTheEnds) {
  look.Default();
  look.Larger();
  EXPECT_EQ(look.size(), 12);
  look.Larger();
  look.Larger();
  look.Larger();
  EXPECT_EQ(look.size(), 24);
  look.Larger();
  EXPECT_EQ(look.size(), 24);
  look.Smaller();
  EXPECT_EQ(look.size(), 18);
  EXPECT_EQ(look.lineHeight(), 27);
  EXPECT_EQ(settings.Size, 18);
  EXPECT_EQ(settings.Normal, 0);
  look.Max();
  look.Smaller();
  look.Smaller();
  look.Smaller();
  look.Smaller();
  EXPECT_EQ(look.size(), 10);
  look.Smaller();
  look.Smaller();
  EXPECT_EQ(look.size(), 8);
  EXPECT_EQ(settings.Min, 0);
}

TEST_F(ListLookTest, LooksSetFontsAndTheirFlags) {
  look.Max();
  EXPECT_TRUE(list.font().bold());
  EXPECT_EQ(look.lineHeight(), 36);
  EXPECT_EQ(text.font().pointSize(), 8);
  EXPECT_EQ(settings.Min, 1);
  look.Min();
  EXPECT_FALSE(list.font().bold());
  EXPECT_FALSE(text.font().bold());
  EXPECT_EQ(look.lineHeight(), 12);
  EXPECT_EQ(settings.Size, 8);
  EXPECT_EQ(settings.Min, 0);
  look.Default();
  EXPECT_EQ(look.lineHeight(), 16);
  EXPECT_EQ(settings.Colour, 0x00FF0000);
  EXPECT_EQ(list.palette().color(QPalette::Text), QColor(Qt::blue));
  look.setColour(Qt::red);
  EXPECT_EQ(settings.Colour, 0x000000FF);
  EXPECT_EQ(text.palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_EQ(settings.Normal, 0);
}

TEST_F(ListLookTest, StoredLookComesBackAtActivation) {
  settings = Settings{};
  settings.Normal = 0;
  settings.Min = 1;
  settings.Bold = 0;
  settings.Size = 24;
  look.applySettings();
  // The Max look stores "Bold" before it is read, so Bold follows and clears the Max flag.
  EXPECT_TRUE(list.font().bold());
  EXPECT_EQ(look.size(), 24);
  EXPECT_EQ(settings.Min, 0);

  settings.Min = 0;
  settings.Normal = 1;
  look.applySettings();
  EXPECT_TRUE(list.font().bold());
  EXPECT_EQ(look.size(), 10);
  EXPECT_EQ(look.lineHeight(), 15);
}

}  // namespace

TEST(ListLookGround, AListKeepsItsWhiteGroundUnderADarkPalette) {
  QPalette dark;
  dark.setColor(QPalette::Base, Qt::black);
  dark.setColor(QPalette::Text, Qt::white);
  QListWidget list;
  list.setPalette(dark);
  QLabel text;
  Settings settings;
  ListLook look{settings, list, text, true};
  look.applySettings();
  EXPECT_EQ(list.palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(list.palette().color(QPalette::Text), colourFromSetting(settings.Colour));
}
