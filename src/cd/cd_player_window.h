#pragma once

#include <memory>

#include "app/form.h"
#include "app/media_device/media_device.h"

class QComboBox;
class QProgressBar;
class QSlider;
class Timer;

// The CD player, the program's main window.
class TForm1 : public Form {
  Q_OBJECT
 public:
  explicit TForm1(Program& program);
  ~TForm1() override;

  // Start-up: runs while the window is created, before any other window exists.
  void FormCreate();
  void FormActivate() override;
  // A later copy of the program asked this one to come to the front.
  void ActivateRequested();

  // Drive choice
  void ComboBox1Change();

  // Shutdown
  void BitBtn1Click();
  void Exit1Click();
  bool FormCloseQuery() override;
  void FormClose() override;

  // Tools and Help menus
  void SystemStatus2Click();
  void About2Click();
  void HideToolTips1Click();
  void ToolTipsOn1Click();
  void Defaultallsettings1Click();
  void TurnreminderON1Click();
  void TurNreminderOFF1Click();
  // Turns the start-up reminder on or off, with its menu items and message.
  void setReminder(bool on);

  // Controls, by component name.
  QPushButton* Button1;   // &Play
  QPushButton* Button2;   // &Stop
  QPushButton* Button3;   // Pa&use
  QPushButton* Button4;   // &Next
  QPushButton* Button5;   // Pre&vious
  QPushButton* Button6;   // &Graphics
  QPushButton* Button7;   // &Load
  QPushButton* Button8;   // &Eject
  QPushButton* Button9;   // A&ll
  QPushButton* Button10;  // N&one
  QPushButton* Button11;  // Trac&ks
  QPushButton* Button12;  // Sound And Video Pla&yer
  QPushButton* Button13;  // Single
  QPushButton* Button14;  // Cont
  QPushButton* IntroScan;
  QPushButton* BitBtn1;   // E&xit
  QComboBox* ComboBox1;   // drive list
  QCheckBox* CheckBox1;   // Update Icon whilst ma&ximised
  QCheckBox* CheckBox2;   // &Random
  QCheckBox* CheckBox3;   // Normal C&D Player
  QCheckBox* CheckBox4;   // Sele&ct
  QRadioButton* RadioButton1;  // El&apsed time
  QRadioButton* RadioButton2;  // Re&maining time
  QSlider* TrackBar1;
  QProgressBar* Gauge1;
  QLabel* Label1;  // total play time line
  QLabel* Label2;  // current track line
  QLabel* Label3;  // minutes and a colon
  QLabel* Label4;  // two-digit seconds
  QLabel* Label5;  // "Track    Time" headings
  QLabel* Label6;
  QLabel* Label7;
  QLabel* Label8;  // "Loading CD..."
  QLabel* Image1;  // the no-disc picture

  // File menu
  QAction* LoadCD1;
  QAction* PlayVideoMIDMPEGWAVfiles1;
  QAction* PlayaSingleCDTrack1;
  QAction* DisplayGraphicFiles1;
  QAction* Exit1;
  // Tools menu
  QAction* SystemStatus2;
  QAction* HideToolTips1;
  QAction* ToolTipsOn1;
  QAction* Defaultallsettings1;
  QAction* SetStatusChecking1;
  QAction* TurnreminderON1;
  QAction* TurNreminderOFF1;
  QAction* DisplayRandomTracks1;
  QAction* DisplayAsSelectedTracks1;
  // Help menu
  QAction* Contents1;
  QAction* KeywordSearch1;
  QAction* VisitCorvelaProWebSite1;
  QAction* About2;

  std::unique_ptr<MediaDevice> MediaPlayer1;  // the CD audio device
  QString DeviceName;                         // the drive it opens

  Timer* Timer1;  // display timer
  Timer* Timer2;  // status timer

  QString ProgramDirectory;  // ends with "/"

 private:
  // The window's controls and menus at their fixed places (cd_player_layout.cpp).
  void createControls();
  void createMenus();
  void connectHandlers();

  // Start-up checks (cd_player_startup.cpp).
  void claimSingleInstance();
  void closeRivalMediaPlayer();
  void closeRivalCdPlayer();
  void warnAndCloseRivalCdPlayer();
  void refuseLargeFonts();
  void showNoDiscState();
  void applySettingsToControls();
  void disableDiscCommands();
  void fillDriveList();
  void leaveDiscPlayingOrStop();
  void setTimerIntervals();

  void applyToolTips(bool on);
  void saveWithActive(bool active);

  bool FirstActivation = true;
};

