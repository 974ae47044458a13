#include <QAction>
#include <QFile>

#include "services/files/selection_lines.h"
#include "viewer_fixture.h"

namespace {

TEST(GraphicList, OpenDialogNamesKeepTheirOrderButTheFirstAndLastSwapWhenOutOfOrder) {
  ViewerFixture f;
  f.select({"/p/B.BMP", "/p/A.BMP", "/p/C.BMP"});
  EXPECT_EQ(f.lines(), QStringList({"/p/b.bmp", "/p/a.bmp", "/p/c.bmp"}));
  f.select({"/p/C.BMP", "/p/A.BMP", "/p/B.BMP"});
  EXPECT_EQ(f.lines(), QStringList({"/p/b.bmp", "/p/a.bmp", "/p/c.bmp"}));
  const QStringList chosen = {"/p/B.BMP", "/p/A.BMP", "/p/C.BMP"};
  for (int row = 0; row < 3; ++row)
    EXPECT_EQ(f.viewer->selectionLines().line(row).path, chosen[row]);

  for (int row = 0; row < 3; ++row) EXPECT_TRUE(f.ticked(row));
  EXPECT_EQ(f.viewer->Label1->text(), "Selected: 3 - Current: 1 of 3");
  EXPECT_EQ(f.viewer->Label3->text(), "3");
  EXPECT_FALSE(f.viewer->ListBox1->isHidden());
  EXPECT_TRUE(f.viewer->Panel4->isHidden());
  EXPECT_TRUE(f.viewer->Button2->isEnabled());
  EXPECT_TRUE(f.viewer->SaveDisplayList1->isEnabled());
}

TEST(GraphicList, NothingChosenEmptiesTheListAndShowsThePlaceholder) {
  ViewerFixture f;
  f.select({"/p/a.bmp"});
  f.select({});
  EXPECT_EQ(f.ui.texts().last(), "Nothing or too many items selected!");
  EXPECT_EQ(f.viewer->ListBox1->count(), 0);
  EXPECT_TRUE(f.viewer->ListBox1->isHidden());
  EXPECT_FALSE(f.viewer->Panel4->isHidden());
  EXPECT_FALSE(f.viewer->Button2->isEnabled());
  EXPECT_TRUE(f.viewer->Label3->text().isEmpty());
}

TEST(GraphicList, UserTicksAdjustTheCountAndTheStatusLine) {
  ViewerFixture f;
  f.select({"/p/a.bmp", "/p/b.bmp", "/p/c.bmp"});
  f.userTick(1, false);
  EXPECT_EQ(f.viewer->SelectedCount, 2);
  EXPECT_EQ(f.viewer->Label1->text(), "Selected: 2 - Current: 1 of 3");
  f.viewer->ListBox1->setCurrentRow(2);
  f.viewer->ListBox1Click();
  EXPECT_EQ(f.viewer->Pictures->CurrentFileName, "/p/c.bmp");
  EXPECT_EQ(f.viewer->Label1->text(), "Selected: 2 - Current: 3 of 3");
}

TEST(GraphicList, FindCaptionNamesTypeAndDriveAndLeavingTheTypeBoxDropsTheDrive) {
  ViewerFixture f;
  f.viewer->DriveComboBox1->setDrive("/media/pictures");
  EXPECT_EQ(f.viewer->Button5->text(), "Find &all BMP's on drive /media/pictures:");
  f.viewer->ComboBox1->setCurrentText("ALL");
  EXPECT_EQ(f.viewer->Button5->text(), "Find &ALL on drive /media/pictures:");
  f.viewer->ComboBox1Exit();
  EXPECT_EQ(f.viewer->Button5->text(), "Find &all ALL's on drive");
  f.viewer->ComboBox1->setCurrentText("gif");
  f.viewer->ComboBox1Exit();
  EXPECT_EQ(f.viewer->ComboBox1->currentText(), "BMP");
}

TEST(GraphicList, DriveSearchWithoutPicturesOfTheTypeLeavesThePlaceholder) {
  ViewerFixture f;
  QFile(f.file("notes.txt")).open(QIODevice::WriteOnly);
  f.picture("only.bmp");
  f.viewer->DriveComboBox1->setDrive(f.drive.path());
  f.viewer->ComboBox1->setCurrentText("JPG");
  f.viewer->Button5Click();
  EXPECT_EQ(f.ui.texts().last(), "No JPG files found on drive " + f.drive.path() + ":");
  EXPECT_FALSE(f.viewer->Panel4->isHidden());
  EXPECT_TRUE(f.viewer->ListBox1->isHidden());
  EXPECT_FALSE(f.viewer->Button2->isEnabled());
  EXPECT_TRUE(f.viewer->Button1->isEnabled());
  EXPECT_FALSE(f.viewer->SearchRunning);
}

TEST(GraphicList, DriveSearchListsEveryPictureTickedAndSkipsTheNextKeyOnce) {
  ViewerFixture f;
  f.picture("One.bmp");
  QDir(f.drive.path()).mkdir("Sub");
  f.picture("Sub/two.bmp");
  f.viewer->DriveComboBox1->setDrive(f.drive.path());
  f.viewer->ComboBox1->setCurrentText("ALL");
  f.viewer->Button5Click();
  ASSERT_EQ(f.lines().size(), 2);
  EXPECT_EQ(f.lines().first(), (f.drive.path() + "/one.bmp").toLower());
  EXPECT_TRUE(f.ticked(0) && f.ticked(1));
  EXPECT_EQ(f.viewer->SelectedCount, 2);
  EXPECT_EQ(f.viewer->Label1->text(), "Selected: 2 - Current: 1 of 2");
  EXPECT_TRUE(f.viewer->NamesFromList);
  EXPECT_TRUE(f.viewer->SkipNextKey);
  EXPECT_FALSE(f.viewer->FormKeyPress(Qt::Key_Escape));
  EXPECT_FALSE(f.viewer->SkipNextKey);
}

TEST(GraphicList, DisplayListsAreSavedFromTheTickedLinesAndLoadedBackInDisplayListMode) {
  ViewerFixture f;
  f.select({f.file("a.bmp"), f.file("b.bmp"), f.file("c.bmp")});
  f.userTick(1, false);
  f.ui.expectSaveFile(f.file("mine"));
  f.viewer->SaveDisplayList1Click();
  EXPECT_TRUE(QFile::exists(f.file("mine.QDL")));

  f.viewer->Button1RightClick();
  EXPECT_EQ(f.viewer->Button1->text(), "Select Display &List");
  f.ui.expectOpenFiles({f.file("mine.QDL")});
  f.viewer->Button1Click();
  EXPECT_EQ(f.lines(), QStringList({f.file("a.bmp").toLower(), f.file("c.bmp").toLower()}));
  EXPECT_TRUE(f.viewer->DisplayListInUse);
  EXPECT_EQ(f.viewer->SelectedCount, 2);
}

TEST(GraphicList, SavingWithNothingTickedSaysThereIsNoPoint) {
  ViewerFixture f;
  f.select({"/p/a.bmp"});
  f.userTick(0, false);
  f.viewer->SaveDisplayList1Click();
  EXPECT_EQ(f.ui.texts().last(), "No point, there are no files selected!");
}

}  // namespace
