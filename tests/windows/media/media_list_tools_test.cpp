#include <QLocale>
#include <QRadioButton>

#include "media_player_fixture.h"
#include "program/program_state.h"
#include "widgets/colour_box.h"
#include "widgets/list_look.h"
#include "windows/media/media_type_chooser.h"

namespace {

const QString NoneFound = "           None or no more found.           ";

struct MediaListTools : MediaPlayerFixture {
  // Makes the files, chooses them in the dialog and forgets the boxes so far.
  void chooseFiles(const QStringList& names) {
    choose(makeFiles(names));
    ui.clear();
  }
  // Opens the chooser as "Su&b Select" does and runs the script while it shows.
  void subSelect(const std::function<void(TForm10&)>& script) {
    ui.onModal([script](QWidget* window) { script(*static_cast<TForm10*>(window)); });
    media->Button17Click();
  }
  static void clickTypes(TForm10& chooser, std::initializer_list<int> types) {
    for (int type : types) chooser.CheckBoxes[type + 2]->click();
  }
  QString rightClickDetails() {
    media->ListBox1MouseDown(Qt::RightButton);
    return ui.texts().isEmpty() ? QString() : ui.texts().last();
  }
  QString expectedAge(const QDateTime& stamp, bool withTime) {
    const QLocale locale;
    const QString date = locale.toString(stamp.date(), QLocale::ShortFormat);
    return withTime ? date + ' ' + locale.toString(stamp.time(), QLocale::LongFormat) : date;
  }
  void stamp(const QString& name, const QDateTime& when) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
  }
};

enum Type { Avi, Mid, Mpeg, Mpg, Wav };

TEST_F(MediaListTools, FindSearchesOnlyBelowTheHighlightedLineAndTicksWhatItFinds) {
  chooseFiles({"a/one.wav", "a/two.mid", "a/three.mp3"});
  ASSERT_EQ(media->ListBox1->currentRow(), 0);
  media->ListBox1->item(2)->setCheckState(Qt::Unchecked);  // the user's own untick
  ASSERT_EQ(media->SelectedCount, 2);

  ui.expectInput("THREE");
  media->Button18Click();
  EXPECT_EQ(media->ListBox1->currentRow(), 2);
  EXPECT_EQ(media->Label1->text(), "Selected: 3 - Current: 3 of 3");
  EXPECT_EQ(ticks(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(media->Label7->text(), "Selected: 3");
  EXPECT_EQ(media->Sequence.PlayCursor(), 2);
  EXPECT_EQ(media->CurrentFileName, lineTexts()[2]);
  EXPECT_EQ(ui.beeps(), 1);

  media->ListBox1->setCurrentRow(0);
  ui.expectInput("ONE");
  media->Button18Click();
  EXPECT_EQ(ui.texts().last(), NoneFound);
  EXPECT_EQ(media->ListBox1->currentRow(), 0);

  media->ListBox1->setCurrentRow(2);
  ui.expectInput("a");
  media->Button18Click();
  EXPECT_EQ(ui.texts().last(), NoneFound);
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(media->SelectedCount, 3);
}

TEST_F(MediaListTools, ChooserCountsEveryLineAndTicksOnlyTheChosenTypes) {
  chooseFiles({"m/a.avi", "m/b.mid", "m/c.mp2", "m/d.mp3", "m/e.mpg", "m/f.dat", "m/g.wav"});
  media->ListBox1->setCurrentRow(-1);
  subSelect([&](TForm10& chooser) {
    EXPECT_EQ(media->ListBox1->currentRow(), 0);
    QStringList counts;
    for (QLabel* count : chooser.CountLabels) counts << count->text();
    EXPECT_EQ(counts, QStringList({"1", "1", "2", "2", "1"}));
    clickTypes(chooser, {Mpeg});
    EXPECT_FALSE(chooser.CheckBoxes[0]->isChecked());
    chooser.OKButton->click();
  });
  EXPECT_EQ(ticks(), (std::vector<bool>{false, false, true, true, false, false, false}));
  EXPECT_EQ(media->Label7->text(), "Selected: 2");
  EXPECT_EQ(media->SelectedCount, 2);

  subSelect([](TForm10& chooser) {
    EXPECT_TRUE(chooser.CheckBoxes[Mpeg + 2]->isChecked());  // kept from the last time
    clickTypes(chooser, {Mpg});
    chooser.OKButton->click();
  });
  EXPECT_EQ(ticks(), (std::vector<bool>{false, false, true, true, true, true, false}));
  EXPECT_EQ(media->Label7->text(), "Selected: 4");

  subSelect([](TForm10& chooser) { chooser.CancelButton->click(); });
  EXPECT_EQ(media->SelectedCount, 4);
}

TEST_F(MediaListTools, TickingEveryTypeOneByOneMeansAll) {
  chooseFiles({"m/a.avi", "m/b.wav"});
  media->ListBox1->item(0)->setCheckState(Qt::Unchecked);
  subSelect([](TForm10& chooser) {
    clickTypes(chooser, {Avi, Mid, Mpeg, Mpg, Wav});
    EXPECT_TRUE(chooser.CheckBoxes[0]->isChecked());
    for (int box = 1; box < 7; ++box) EXPECT_FALSE(chooser.CheckBoxes[box]->isChecked()) << box;
    chooser.OKButton->click();
  });
  EXPECT_EQ(ticks(), (std::vector<bool>{true, true}));
  EXPECT_EQ(media->Label7->text(), "Selected: 2");
}

TEST_F(MediaListTools, ChooserNamesTheMissingTypesSoundFirstAndStaysOpenWithNothingTicked) {
  chooseFiles({"m/a.avi"});
  subSelect([&](TForm10& chooser) {
    chooser.CheckBoxes[Mpg + 2]->toggle();  // as a screen reader ticks a box: no click
    EXPECT_FALSE(chooser.CheckBoxes[0]->isChecked());
    clickTypes(chooser, {Wav, Mpeg, Mid});
    chooser.OKButton->click();
    EXPECT_EQ(ui.texts().last(),
              "No files found of type(s): \r\rMID\r\rWAV\r\rMPEG Sound\r\rMPEG Video");
    EXPECT_EQ(ui.shown().back().box, UiDouble::Box::Information);
    EXPECT_TRUE(chooser.CheckBoxes[1]->isChecked());
    EXPECT_TRUE(chooser.isVisible());
    EXPECT_EQ(ticks(), std::vector<bool>{false});
    EXPECT_EQ(media->Label7->text(), "Selected: 0");
    chooser.CancelButton->click();
  });
  EXPECT_EQ(media->SelectedCount, 0);
}

TEST_F(MediaListTools, DetailsGiveSizeWithSeparatorsAndTheAgeWithoutTimeAtMidnight) {
  chooseFiles({"a/Big.WAV"});
  QFile(folder.filePath("a/Big.WAV")).resize(1234567);
  const QDateTime afternoon(QDate(2021, 3, 4), QTime(13, 5, 6));
  stamp("a/Big.WAV", afternoon);
  const QString line = lineTexts()[0];
  EXPECT_EQ(rightClickDetails(), "Filename: " + line + "\r\rFile Size: 1,234,567 bytes\r\rAge: " +
                                     expectedAge(afternoon, true));

  const QDateTime midnight(QDate(2021, 3, 4), QTime(0, 0));
  stamp("a/Big.WAV", midnight);
  EXPECT_TRUE(rightClickDetails().endsWith("\r\rAge: " + expectedAge(midnight, false)));

  ui.clear();
  media->ListBox1MouseDown(Qt::LeftButton);
  media->SearchRunning = true;
  media->ListBox1MouseDown(Qt::RightButton);
  media->FormMouseDown(Qt::RightButton);
  EXPECT_TRUE(ui.texts().isEmpty());
}

TEST_F(MediaListTools, OnlyALineOfALoadedPlayListMentionsThePlayList) {
  chooseFiles({"a/one.wav", "a/two.mid"});
  const QStringList lines = lineTexts();
  media->PlayListInUse = true;
  media->PlayListName = folder.filePath("lists/party.qpl");

  // Filled from the dialog: the current file, without the play list.
  media->ListBox1->setCurrentRow(1);
  EXPECT_TRUE(rightClickDetails().startsWith("Filename: " + lines[0] + "\r\r"));
  EXPECT_EQ(media->DetailsFileName, lines[0]);

  media->NamesFromList = true;
  EXPECT_TRUE(rightClickDetails().startsWith(
      "Play List: \"party.qpl\" is currently in use.\r\rFilename: " + lines[1] + "\r\r"));

  // The window background with no line highlighted falls back on the current file.
  media->ListBox1->setCurrentRow(-1);
  media->FormMouseDown(Qt::RightButton);
  EXPECT_TRUE(ui.texts().last().startsWith("Filename: " + lines[0] + "\r\r"));

  media->ListBox1->setCurrentRow(1);
  media->NamesFromList = false;
  media->FileDetailsFromFullScreen();
  EXPECT_TRUE(ui.texts().last().startsWith("Play List: \"party.qpl\""));
}

TEST_F(MediaListTools, DetailsOfAFileGoneSinceTheListWasFilledSaySo) {
  chooseFiles({"a/one.wav"});
  QFile::remove(folder.filePath("a/one.wav"));
  media->Panel1MouseDown(Qt::RightButton);
  ASSERT_FALSE(ui.shown().empty());
  EXPECT_EQ(ui.shown().back().box, UiDouble::Box::Error);
  EXPECT_EQ(ui.texts().last(), "Cannot find the file:\r\r" + lineTexts()[0]);
}

TEST_F(MediaListTools, SizeStepsStopAtTheEndsAndAreStored) {
  chooseFiles({"a/one.wav"});
  media->Button15Click();  // Max: 24
  media->Button9Click();
  EXPECT_EQ(media->ListBox1->font().pointSize(), 24);
  media->Button13Click();  // Default: 10
  media->Button8Click();
  EXPECT_EQ(media->ListBox1->font().pointSize(), 8);
  media->Button8Click();
  EXPECT_EQ(media->ListBox1->font().pointSize(), 8);
  EXPECT_EQ(media->Look->lineHeight(), 12);
  const Settings& settings = state().settings;
  EXPECT_EQ(settings.Size, 8);
  EXPECT_EQ(settings.Min, 0);
  EXPECT_EQ(settings.Normal, 0);
  EXPECT_EQ(media->HorizontalExtent, 3000);
}

TEST_F(MediaListTools, PickedColourColoursListAndTitleLine) {
  chooseFiles({"a/one.wav"});
  media->Button13Click();
  ASSERT_EQ(state().settings.Normal, 1);
  media->RzColorComboBox1->setColour(Qt::red);
  media->RzColorComboBox1Change();
  EXPECT_EQ(state().settings.Colour, 0x000000FF);
  EXPECT_EQ(state().settings.Normal, 0);
  EXPECT_EQ(media->Label1->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_EQ(media->ListBox1->palette().color(QPalette::Text), QColor(Qt::red));
  EXPECT_EQ(media->Label1->font().pointSize(), 12);  // the title line keeps its size
}

struct StoredLook {
  int Normal, Min, Size, Bold;
  bool shownBold;
  int shownSize;
  int MinAfter;
};

class MediaLookAtActivation : public MediaListTools,
                              public ::testing::WithParamInterface<StoredLook> {};

TEST_P(MediaLookAtActivation, ReproducesTheStoredLook) {
  const StoredLook stored = GetParam();
  Settings& settings = state().settings;
  settings.Normal = stored.Normal;
  settings.Min = stored.Min;
  settings.Size = stored.Size;
  settings.Bold = stored.Bold;
  settings.Colour = 0x00008000;  // green
  media->FormActivate();
  EXPECT_EQ(media->ListBox1->font().bold(), stored.shownBold);
  EXPECT_EQ(media->ListBox1->font().pointSize(), stored.shownSize);
  EXPECT_EQ(media->Look->lineHeight(), stored.shownSize + stored.shownSize / 2);
  EXPECT_EQ(settings.Size, stored.shownSize);
  EXPECT_EQ(settings.Min, stored.MinAfter);
  const QColor shown = stored.Normal ? QColor(Qt::blue) : QColor(0, 128, 0);
  EXPECT_EQ(media->ListBox1->palette().color(QPalette::Text), shown);
  EXPECT_EQ(media->RzColorComboBox1->colour(), shown);
}

INSTANTIATE_TEST_SUITE_P(EachCombination, MediaLookAtActivation,
                         ::testing::Values(StoredLook{1, 1, 24, 0, true, 10, 0},  // Default
                                           StoredLook{0, 1, 24, 1, true, 24, 0},  // Max, Bold
                                           // Max stores Bold before it is read: Bold follows.
                                           StoredLook{0, 1, 24, 0, true, 24, 0},
                                           StoredLook{0, 0, 8, 0, false, 8, 0},  // Min
                                           StoredLook{0, 0, 8, 1, true, 8, 0},  // Bold at 8
                                           StoredLook{0, 0, 14, 0, false, 14, 0},  // Normal
                                           StoredLook{0, 0, 18, 1, true, 18, 0}));  // Bold

}  // namespace
