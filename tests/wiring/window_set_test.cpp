#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>

#include "platform/settings_backend.h"
#include "platform/timer.h"
#include "program/form.h"
#include "program_fixture.h"
#include "windows/cd/cd_player_window.h"
#include "windows/media/media_player_window.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "wiring/corvela_program.h"

namespace {

struct Running : ProgramFixture {
  Running() { start(); }
  TForm1& cd() { return *forms().Form1; }
  CorvelaProgram& program() { return *corvela; }
};

}  // namespace

TEST(WindowSet, EveryWindowIsCreatedOnceWithItsCaptionAndClientSizeAndOnlyTheMainOneIsShown) {
  Running r;
  r.cd().show();
  const Forms& f = r.program().forms;
  const std::vector<std::tuple<Form*, QString, QSize>> windows = {
      {f.Form1.get(), "Corvela Pro - CD Player", {503, 365}},
      {f.Form4.get(), "Corvela Pro AVI-MID-MPEG-WAV Player", {503, 367}},
      {f.Form9.get(), "Corvela Pro Graphics Viewer", {521, 389}},
  };
  for (const auto& [window, caption, client] : windows) {
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(window->client()->size(), client);
  }
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* form = qobject_cast<Form*>(window);
    if (form && form != f.Form1.get()) {
      EXPECT_TRUE(form->isHidden()) << form->windowTitle().toStdString();
    }
  }
  EXPECT_EQ(r.ui.applicationTitle(), "CD not yet loaded");
}

TEST(CdPlayerStartUp, TheWindowStartsWithoutADiscAndTheTransportDisabled) {
  Running r;
  TForm1& cd = r.cd();
  for (QWidget* control :
       {static_cast<QWidget*>(cd.Button1), static_cast<QWidget*>(cd.Button2),
        static_cast<QWidget*>(cd.Button3), static_cast<QWidget*>(cd.Button8),
        static_cast<QWidget*>(cd.CheckBox2), static_cast<QWidget*>(cd.CheckBox3)})
    EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
  EXPECT_TRUE(cd.Button7->isEnabled());
  EXPECT_FALSE(cd.PlayaSingleCDTrack1->isEnabled());
  EXPECT_FALSE(cd.Timer1->Enabled());
  EXPECT_EQ(cd.Timer1->Interval(), 100);
  EXPECT_EQ(cd.Timer2->Interval(), 3000);
  EXPECT_TRUE(cd.TrackBar1->isHidden());
  EXPECT_FALSE(cd.Image1->isHidden());
  EXPECT_EQ(cd.Button1->accessibleDescription(), "Button1");
}

TEST(CdPlayerStartUp, StoredSettingsChooseTheTimeDisplayTipsAndReminderItems) {
  {
    QSettings file(IniSettingsBackend::defaultPath(), QSettings::IniFormat);
    for (const char* name : {"Bold", "Min", "Size", "Normal", "AVI", "Delay", "Random", "Status",
                             "Colour", "PlayCheck", "Active", "CDDrive"})
      file.setValue(name, 0);
    file.setValue("Tips", 1);
    file.setValue("Time", 1);
    file.setValue("Icon", 1);
    file.setValue("Reminder", 0);
    file.setValue("Status", 4);
  }
  Running r;
  TForm1& cd = r.cd();
  EXPECT_TRUE(r.ui.hintsEnabled());
  EXPECT_FALSE(cd.ToolTipsOn1->isEnabled());
  EXPECT_TRUE(cd.RadioButton1->isChecked());
  EXPECT_FALSE(cd.CheckBox1->isChecked());
  EXPECT_TRUE(cd.TurnreminderON1->isEnabled());
  EXPECT_EQ(cd.Timer1->Interval(), 4000);
  EXPECT_EQ(r.program().state.settings.CurrentStatus, 4);
}

TEST(CdPlayerSettings, DefaultAllSettingsThenSaveStoresTheReminderOff) {
  Running r;
  TForm1& cd = r.cd();
  ASSERT_TRUE(r.program().state.settings.Reminder);
  r.program().state.settings.Status = 5;
  cd.ToolTipsOn1Click();
  cd.RadioButton1->setChecked(true);

  cd.Defaultallsettings1->trigger();
  EXPECT_EQ(r.ui.texts(), QStringList{"OK...now at default settings..."});
  EXPECT_EQ(r.ui.shown().back().box, UiDouble::Box::Information);
  EXPECT_TRUE(cd.RadioButton2->isChecked());
  EXPECT_TRUE(cd.CheckBox1->isChecked());
  EXPECT_FALSE(r.ui.hintsEnabled());
  EXPECT_TRUE(cd.TurnreminderON1->isEnabled());
  EXPECT_FALSE(cd.TurNreminderOFF1->isEnabled());
  EXPECT_EQ(r.program().state.settings.CurrentStatus, 0);

  r.program().store.SaveSettings();
  QSettings file(IniSettingsBackend::defaultPath(), QSettings::IniFormat);
  EXPECT_EQ(file.value("Reminder").toInt(), 0);
  EXPECT_EQ(file.value("Tips").toInt(), 0);
}
