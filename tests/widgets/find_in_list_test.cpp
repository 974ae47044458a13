#include "widgets/find_in_list.h"

#include <gtest/gtest.h>
#include <QListWidget>

#include "ui_double.h"

namespace {

const QString NoneFound = "           None or no more found.           ";

class FindInListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.addItems({"c:/one.bmp", "c:/two.jpg", "c:/three.jpg"});
    list.show();
    list.setCurrentRow(0);
  }
  std::vector<int> find(std::optional<QString> text) {
    ui.expectInput(std::move(text));
    std::vector<int> found;
    finder.Find(list, [&](int row) { found.push_back(row); });
    return found;
  }
  UiDouble ui;
  QListWidget list;
  FindInList finder{ui};
};

TEST_F(FindInListTest, FindsTheLowerCasedTextAfterTheHighlightedLineAndBeepsOnce) {
  EXPECT_EQ(find("JPG"), std::vector<int>{1});
  EXPECT_EQ(list.currentRow(), 1);
  EXPECT_EQ(finder.FindText, "jpg");
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(find("jpg"), std::vector<int>{2});
  EXPECT_TRUE(ui.shown().size() == 2);  // the two input boxes
}

TEST_F(FindInListTest, NeitherTheHighlightedLineNorTheLinesAboveItAreSearched) {
  EXPECT_TRUE(find("ONE").empty());
  list.setCurrentRow(2);
  EXPECT_TRUE(find("jpg").empty());
  EXPECT_EQ(ui.texts().count(NoneFound), 2);
  EXPECT_EQ(ui.beeps(), 0);
  EXPECT_EQ(ui.cursor(), ScreenCursor::Normal);
}

TEST_F(FindInListTest, CancelledEmptyOrHiddenListsSayNoneFound) {
  EXPECT_TRUE(find(std::nullopt).empty());
  EXPECT_TRUE(find("").empty());
  list.hide();
  finder.Find(list, [](int) { FAIL(); });
  EXPECT_EQ(ui.texts().count(NoneFound), 3);
}

}  // namespace
