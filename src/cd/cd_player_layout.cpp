// The CD player window's controls and menus at their fixed places in the
// 503 x 365 client area.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "cd/cd_player_window.h"

void TForm1::createControls() {
  // Left: the track area (drive list and no-disc picture until a disc is loaded).
  ComboBox1 = new QComboBox(client());
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setGeometry(20, 28, 200, 24);
  Image1 = label("Image1", QString(), QRect(20, 60, 320, 200));
  Label5 = label("Label5", "Track    Time", QRect(20, 6, 87, 18));
  Label6 = label("Label6", "Track    Time", QRect(130, 6, 87, 18));
  Label7 = label("Label7", "Track    Time", QRect(240, 6, 87, 18));
  Label8 = label("Label8", "Loading CD...", QRect(20, 28, 200, 24));
  Label8->hide();
  Label1 = label("Label1", QString(), QRect(20, 262, 330, 18));

  // Below the track area: position and time.
  Label2 = label("Label2", QString(), QRect(20, 284, 150, 18));
  Label3 = label("Label3", QString(), QRect(180, 284, 30, 18));
  Label4 = label("Label4", QString(), QRect(210, 284, 24, 18));
  TrackBar1 = new QSlider(Qt::Horizontal, client());
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setGeometry(20, 306, 270, 22);
  Button14 = button("Button14", "Cont", "Continue Play after \"dragging\" to required position",
                    QRect(294, 305, 50, 24));
  Gauge1 = new QProgressBar(client());
  Gauge1->setObjectName("Gauge1");
  Gauge1->setGeometry(20, 334, 324, 18);
  Gauge1->setTextVisible(false);

  // Right: transport and modes.
  Button7 = button("Button7", "&Load", "Click Load to read CD details", QRect(360, 8, 64, 26));
  Button8 = button("Button8", "&Eject", "You must click this button before changing a CD",
                   QRect(430, 8, 64, 26));
  Button1 = button("Button1", "&Play", "Play from first selected Track", QRect(360, 40, 64, 26));
  Button2 = button("Button2", "&Stop", "Stop and reset to first selection", QRect(430, 40, 64, 26));
  Button3 = button("Button3", "Pa&use", "Click to Pause, click again to resume playing",
                   QRect(360, 72, 64, 26));
  IntroScan = button("IntroScan", "&Intro Off",
                     "Toggles OFF/ON - When ON plays first 10 seconds of all SELECTED Tracks.",
                     QRect(430, 72, 64, 26));
  Button4 = button("Button4", "&Next", "Go to next (or randomly) selected Track",
                   QRect(360, 104, 64, 26));
  Button5 = button("Button5", "Pre&vious", "Go to previous (or randomly) selected Track",
                   QRect(430, 104, 64, 26));
  Button9 = button("Button9", "A&ll", "All Tracks selected for playing", QRect(360, 136, 44, 26));
  Button10 = button("Button10", "N&one", "No Tracks selected for playing", QRect(406, 136, 44, 26));
  Button13 = button("Button13", "Single", "To select a single Track (primarily above 30)",
                    QRect(452, 136, 42, 26));
  Button11 = button("Button11", "Trac&ks", "Displays total play time of all selected Tracks",
                    QRect(360, 168, 64, 26));
  CheckBox2 = checkBox("CheckBox2", "&Random",
                       "Play tracks randomly forever! - Right click to see list of tracks.",
                       QRect(430, 168, 70, 24));
  CheckBox4 = checkBox(
      "CheckBox4", "Sele&ct",
      "Play Tracks in the order they were selected - Right click to see list of Tracks",
      QRect(430, 192, 70, 24));
  RadioButton1 = radioButton("RadioButton1", "El&apsed time",
                             "Display amount of Track already played", QRect(360, 218, 140, 20));
  RadioButton2 = radioButton("RadioButton2", "Re&maining time",
                             "Display amount of Track left to play", QRect(360, 238, 140, 20));
  CheckBox1 = checkBox("CheckBox1", "Update Icon whilst ma&ximised", "Display track details on icon",
                       QRect(360, 260, 140, 20));
  CheckBox3 = checkBox("CheckBox3", "Normal C&D Player",
                       "Disable all track info and run standard CD Player", QRect(360, 280, 140, 20));
  Button12 = button("Button12", "Sound And Video Pla&yer", "Guess what?", QRect(360, 302, 134, 24));
  Button6 = button("Button6", "&Graphics", "Select and display Graphic files",
                   QRect(360, 332, 64, 26));
  BitBtn1 = button("BitBtn1", "E&xit", QString(), QRect(430, 332, 64, 26));
}

void TForm1::createMenus() {
  QMenu* file = menu("&File");
  LoadCD1 = menuItem(file, "LoadCD1", "&Load CD");
  PlayVideoMIDMPEGWAVfiles1 =
      menuItem(file, "PlayVideoMIDMPEGWAVfiles1", "Play Video--MID--MPEG--&WAV files");
  PlayaSingleCDTrack1 = menuItem(file, "PlayaSingleCDTrack1", "Play a &Single CD Track");
  DisplayGraphicFiles1 = menuItem(file, "DisplayGraphicFiles1", "Display &Graphic Files");
  Exit1 = menuItem(file, "Exit1", "E&xit");

  QMenu* tools = menu("&Tools");
  SystemStatus1 = menuItem(tools, "SystemStatus1", "S&ystem Status");
  HideToolTips1 = menuItem(tools, "HideToolTips1", "Tool Tips O&ff");
  ToolTipsOn1 = menuItem(tools, "ToolTipsOn1", "Tool T&ips On");
  Defaultallsettings1 = menuItem(tools, "Defaultallsettings1", "&Default all settings");
  SetStatusChecking1 = menuItem(tools, "SetStatusChecking1", "Set Status Chec&king");
  TurnreminderON1 = menuItem(tools, "TurnreminderON1", "T&urn reminder ON");
  TurNreminderOFF1 = menuItem(tools, "TurNreminderOFF1", "Tur&n reminder OFF");
  DisplayRandomTracks1 = menuItem(tools, "DisplayRandomTracks1", "Display &Random Tracks");
  DisplayAsSelectedTracks1 =
      menuItem(tools, "DisplayAsSelectedTracks1", "Display \"&As Selected\" Tracks");

  QMenu* help = menu("&Help");
  Contents1 = menuItem(help, "Contents1", "&Contents");
  KeywordSearch1 = menuItem(help, "KeywordSearch1", "&Keyword Search");
  VisitCorvelaProWebSite1 = menuItem(help, "VisitCorvelaProWebSite1", "&Visit Corvela Pro Web Site");
  About1 = menuItem(help, "About1", "&About");
}
