#include "widgets/type_chooser.h"

#include <gtest/gtest.h>
#include <QListWidget>

#include "ui_double.h"
#include "widgets/list_ticks.h"

namespace {

const TypeChooserKind Pictures{"Pick types",
                               {{"&BMP", {".bmp"}, "BMP\r\r"},
                                {"&FIF", {".fif"}, "FIF\r\r"},
                                {"&ICO", {".ico"}, "ICO\r\r"},
                                {"JP&G", {".jpg"}, "JPG\r\r"},
                                {"&WMF", {".wmf"}, "WMF\r\r"}},
                               {0, 1, 2, 4, 3}};

void expectOnly(const TypeBoxes& boxes, bool all, bool none, std::vector<bool> types) {
  EXPECT_EQ(boxes.all(), all);
  EXPECT_EQ(boxes.none(), none);
  for (int type = 0; type < boxes.typeCount(); ++type)
    EXPECT_EQ(boxes.type(type), types[type]) << "type " << type;
}

TEST(TypeBoxes, TickingEveryTypeOneByOneEndsWithOnlyAllTicked) {
  TypeBoxes boxes(5);
  for (int type = 0; type < 4; ++type) boxes.setType(type, true);
  expectOnly(boxes, false, false, {true, true, true, true, false});
  boxes.setType(4, true);
  expectOnly(boxes, true, false, {false, false, false, false, false});
}

TEST(TypeBoxes, UntickingTheLastTypeOrAllOrNoFallsBackToTheOther) {
  TypeBoxes boxes(5);
  boxes.setType(2, true);
  boxes.setType(2, false);
  expectOnly(boxes, true, false, {false, false, false, false, false});

  boxes.setAll(false);
  expectOnly(boxes, false, true, {false, false, false, false, false});
  boxes.setNone(false);
  expectOnly(boxes, true, false, {false, false, false, false, false});

  boxes.setType(0, true);
  boxes.setType(1, true);
  boxes.setType(0, false);
  expectOnly(boxes, false, false, {false, true, false, false, false});
  boxes.setNone(true);
  expectOnly(boxes, false, true, {false, false, false, false, false});
}

class ApplyTypeChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* line : {"c:/a.bmp", "c:/b.jpg", "c:/c.bmp.txt", "c:/noext", "c:/d.wmf"}) {
      auto* item = new QListWidgetItem(line, &list);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(Qt::Unchecked);
    }
  }
  QListWidget list;
};

TEST_F(ApplyTypeChoice, TicksExactlyTheLinesOfTheTickedTypesByTheirLastExtension) {
  EXPECT_EQ(typeOfLine(Pictures, "c:/x.y/picture.JPG"), 3);
  EXPECT_EQ(typeOfLine(Pictures, "c:/noext"), -1);

  TypeBoxes boxes(5);
  boxes.setType(0, true);
  boxes.setType(4, true);
  EXPECT_EQ(applyTypeChoice(Pictures, boxes, list), 2);
  EXPECT_TRUE(lineTicked(list, 0));
  EXPECT_FALSE(lineTicked(list, 1));
  EXPECT_FALSE(lineTicked(list, 2));
  EXPECT_TRUE(lineTicked(list, 4));

  EXPECT_EQ(applyTypeChoice(Pictures, TypeBoxes(5), list), 5);
  EXPECT_EQ(tickedLineCount(list), 5);
  boxes.setNone(true);
  EXPECT_EQ(applyTypeChoice(Pictures, boxes, list), 0);
  EXPECT_EQ(tickedLineCount(list), 0);
}

TEST_F(ApplyTypeChoice, NothingOfTheTickedTypesLeavesEveryLineUntickedAndNamesThemInReportOrder) {
  TypeBoxes boxes(5);
  boxes.setType(4, true);  // WMF
  boxes.setType(1, true);  // FIF
  boxes.setType(2, true);  // ICO
  boxes.setType(4, false);
  boxes.setType(3, true);  // JPG: one line
  boxes.setType(3, false);
  EXPECT_EQ(applyTypeChoice(Pictures, boxes, list), std::nullopt);
  EXPECT_EQ(tickedLineCount(list), 0);
  EXPECT_EQ(nothingFoundText(Pictures, boxes), "No files found of type(s): \r\rFIF\r\rICO\r\r");

  boxes.setType(3, true);
  boxes.setType(4, true);
  EXPECT_EQ(nothingFoundText(Pictures, boxes),
            "No files found of type(s): \r\rFIF\r\rICO\r\rWMF\r\rJPG\r\r");
}

TEST_F(ApplyTypeChoice, ProgramTicksAreNotReportedAsTheUsersChanges) {
  int changes = 0;
  QObject::connect(&list, &QListWidget::itemChanged, [&] { ++changes; });
  applyTypeChoice(Pictures, TypeBoxes(5), list);
  EXPECT_EQ(changes, 0);
}

}  // namespace
