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

#include "platform/artwork.h"
#include "windows/cd/cd_player_window.h"

void TForm1::createControls() {
  // Left: the track area. Without a disc it holds the drive list and the
  // no-disc picture; the track boxes take its place once a disc is loaded.
  ComboBox1 = new QComboBox(client());
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setGeometry(20, 28, 200, 22);
  ComboBox1->setAccessibleName("CD drive");
  Image1 = label("Image1", QString(), QRect(70, 62, 200, 190));
  Image1->setPixmap(discPicture(180));
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setAccessibleName("No disc loaded");
  Label5 = label("Label5", "Track    Time", QRect(20, 6, 87, 18));
  Label6 = label("Label6", "Track    Time", QRect(130, 6, 87, 18));
  Label7 = label("Label7", "Track    Time", QRect(240, 6, 87, 18));
  Label8 = label("Label8", "Loading CD...", QRect(20, 28, 200, 22));
  Label8->hide();

  // Below it: the total, the track playing, its time and position.
  Label1 = label("Label1", QString(), QRect(20, 262, 310, 16));
  Label2 = label("Label2", QString(), QRect(20, 282, 150, 16));
  Label3 = label("Label3", QString(), QRect(176, 282, 34, 16));
  Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label4 = label("Label4", QString(), QRect(210, 282, 24, 16));
  TrackBar1 = new QSlider(Qt::Horizontal, client());
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setGeometry(20, 304, 250, 20);
  Button14 = button("Button14", "C&ont", "Continue Play after \"dragging\" to required position",
                    QRect(276, 302, 54, 24));
  Gauge1 = new QProgressBar(client());
  Gauge1->setObjectName("Gauge1");
  Gauge1->setGeometry(20, 334, 310, 14);
  Gauge1->setTextVisible(false);

  // Right: the disc, transport and play modes, the other windows.
  const int left = 336, right = 418, wide = 78, tall = 24;
  Button7 = button("Button7", "&Load", "Click Load to read CD details", QRect(left, 8, wide, tall));
  Button8 = button("Button8", "&Eject", "You must click this button before changing a CD",
                   QRect(right, 8, wide, tall));
  Button1 =
      button("Button1", "&Play", "Play from first selected Track", QRect(left, 36, wide, tall));
  Button2 =
      button("Button2", "&Stop", "Stop and reset to first selection", QRect(right, 36, wide, tall));
  Button3 = button("Button3", "Pa&use", "Click to Pause, click again to resume playing",
                   QRect(left, 64, wide, tall));
  IntroScan = button("IntroScan", "&Intro Off",
                     "Toggles OFF/ON - When ON plays first 10 seconds of all SELECTED Tracks.",
                     QRect(right, 64, wide, tall));
  Button4 = button("Button4", "&Next", "Go to next (or randomly) selected Track",
                   QRect(left, 92, wide, tall));
  Button5 = button("Button5", "Pre&vious", "Go to previous (or randomly) selected Track",
                   QRect(right, 92, wide, tall));
  Button9 =
      button("Button9", "A&ll", "All Tracks selected for playing", QRect(left, 120, 52, tall));
  Button10 =
      button("Button10", "N&one", "No Tracks selected for playing", QRect(390, 120, 52, tall));
  Button13 = button("Button13", "Single", "To select a single Track (primarily above 30)",
                    QRect(444, 120, 52, tall));
  Button11 = button("Button11", "Trac&ks", "Displays total play time of all selected Tracks",
                    QRect(left, 150, wide, tall));
  CheckBox2 = checkBox("CheckBox2", "&Random",
                       "Play tracks randomly forever! - Right click to see list of tracks.",
                       QRect(right + 4, 148, 76, 18));
  CheckBox4 =
      checkBox("CheckBox4", "Sele&ct",
               "Play Tracks in the order they were selected - Right click to see list of Tracks",
               QRect(right + 4, 166, 76, 18));
  RadioButton1 = radioButton("RadioButton1", "El&apsed time",
                             "Display amount of Track already played", QRect(left, 192, 160, 18));
  RadioButton2 = radioButton("RadioButton2", "Re&maining time",
                             "Display amount of Track left to play", QRect(left, 210, 160, 18));
  CheckBox1 = checkBox("CheckBox1", "Update Icon &whilst maximised",
                       "Display track details on icon", QRect(left, 234, 166, 18));
  // The longest caption of the column: a point smaller so it fits whole.
  QFont narrow = CheckBox1->font();
  narrow.setPointSizeF(narrow.pointSizeF() - 1);
  CheckBox1->setFont(narrow);
  CheckBox3 =
      checkBox("CheckBox3", "Normal C&D Player",
               "Disable all track info and run standard CD Player", QRect(left, 252, 160, 18));
  Button12 =
      button("Button12", "Sound And Video Pla&yer", "Guess what?", QRect(left, 284, 160, tall));
  Button6 = button("Button6", "&Graphics", "Select and display Graphic files",
                   QRect(left, 334, wide, tall));
  BitBtn1 = button("BitBtn1", "E&xit", QString(), QRect(right, 334, wide, tall));
}

void TForm1::createMenus() {
  QMenu* file = menu("&File");
  LoadCD1 = menuItem(file, "LoadCD1", "&Load CD");
  OpenDiscImage1 = menuItem(file, "OpenDiscImage1", "Open Disc &Image…", QKeySequence::Open);
  PlayVideoMIDMPEGWAVfiles1 =
      menuItem(file, "PlayVideoMIDMPEGWAVfiles1", "Play Video--MID--MPEG--&WAV files");
  PlayaSingleCDTrack1 = menuItem(file, "PlayaSingleCDTrack1", "Play a &Single CD Track");
  DisplayGraphicFiles1 = menuItem(file, "DisplayGraphicFiles1", "Display &Graphic Files");
  Exit1 = menuItem(file, "Exit1", "E&xit", QKeySequence::Quit);

  QMenu* tools = menu("&Tools");
  SystemStatus2 = menuItem(tools, "SystemStatus2", "S&ystem Status");
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
  Contents1 = menuItem(help, "Contents1", "&Contents", QKeySequence::HelpContents);
  KeywordSearch1 = menuItem(help, "KeywordSearch1", "&Keyword Search");
  VisitCorvelaProWebSite1 =
      menuItem(help, "VisitCorvelaProWebSite1", "&Visit Corvela Pro Web Site");
  About2 = menuItem(help, "About2", "&About");
}
