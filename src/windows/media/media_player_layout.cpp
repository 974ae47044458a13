// The media player window's controls and menus at their fixed places in the
// 503 x 367 client area.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "widgets/colour_box.h"
#include "widgets/drive_box.h"
#include "windows/media/media_player_window.h"

namespace {

// A label in a sunken box, as the counters and the title line sit.
void sink(QLabel* label) {
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
}

QFont boldOfSize(QFont font, int points) {
  font.setBold(true);
  font.setPointSize(points);
  return font;
}

QFont smaller(QFont font) {
  font.setPointSizeF(font.pointSizeF() - 1);
  return font;
}

}  // namespace

void TForm4::createControls() {
  createListArea();
  createLookRow();
  createVideoFrame();
  createTransportColumn();
}

// The list, the video panel over it and the row of selection controls under
// it share one 300 x 230 area at the top left.
void TForm4::createListArea() {
  ListBox1->setObjectName("ListBox1");
  ListBox1->setGeometry(8, 8, 300, 200);
  ListBox1->setToolTip("Double Click or hit ENTER to play a hi-lighted file");
  ListBox1->setAccessibleName("Selection list");
  ListBox1->setUniformItemSizes(true);
  ListBox1->setBackgroundRole(QPalette::Button);
  ListBox1->viewport()->setBackgroundRole(QPalette::Button);

  Animate1 = new QProgressBar(client());
  Animate1->setObjectName("Animate1");
  Animate1->setGeometry(58, 96, 200, 20);
  Animate1->setRange(0, 0);  // a busy bar that moves by itself
  Animate1->setToolTip("Hit Esc to abort search");
  Animate1->setAccessibleName("Searching");

  const int row = 212, tall = 24;
  Button12 = button("Button12", "Select S&ound && Video",
                    "Right mouse click to toggle between selection and Play Lists",
                    QRect(8, row, 118, tall));
  DriveComboBox1 = new DriveBox(client());
  DriveComboBox1->setObjectName("DriveComboBox1");
  DriveComboBox1->setGeometry(128, row, 58, tall);
  DriveComboBox1->setAccessibleName("Drive");
  DriveComboBox1->setStyleSheet("QComboBox { background: navy; color: white; }");
  ComboBox1 = new QComboBox(client());
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setGeometry(188, row, 54, tall);
  ComboBox1->setAccessibleName("File type");
  Button6 = button("Button6", "Sea&rch Drive", QString(), QRect(244, row, 64, tall));
  // The row's captions are long for its width: a point smaller so they show whole.
  for (QWidget* control :
       std::initializer_list<QWidget*>{Button12, DriveComboBox1, ComboBox1, Button6})
    control->setFont(smaller(control->font()));

  Panel1 = new QFrame(client());
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(8, 8, 300, 230);
  Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
  Panel1->setStyleSheet("QFrame#Panel1 { background: black; }");
  Panel1->setAccessibleName("Video");
  Panel1->hide();
}

void TForm4::createLookRow() {
  const int row = 242, tall = 22;
  const QString lookHint = "Control look and size of filename details etc";
  Button8 = button("Button8", "-", lookHint, QRect(8, row, 22, tall));
  Button9 = button("Button9", "+", lookHint, QRect(31, row, 22, tall));
  Button10 = button("Button10", "Normal", lookHint, QRect(54, row, 42, tall));
  Button11 = button("Button11", "Bold", lookHint, QRect(97, row, 34, tall));
  Button13 = button("Button13", "Default", lookHint, QRect(132, row, 42, tall));
  Button14 = button("Button14", "Min", lookHint, QRect(175, row, 30, tall));
  Button15 = button("Button15", "Max", lookHint, QRect(206, row, 30, tall));
  RzColorComboBox1 = new ColourBox(client());
  RzColorComboBox1->setObjectName("RzColorComboBox1");
  RzColorComboBox1->setGeometry(238, row, 70, tall);
  RzColorComboBox1->setToolTip("Change Font colour - Right click to set custom Font colour");
  RzColorComboBox1->setAccessibleName("Font colour");

  Label1 = label("Label1", QString(), QRect(8, 268, 300, 28));
  sink(Label1);
  Label1->setFont(boldOfSize(font(), 12));
}

void TForm4::createVideoFrame() {
  RadioGroup2 = new QGroupBox("Video", client());
  RadioGroup2->setObjectName("RadioGroup2");
  RadioGroup2->setGeometry(8, 298, 196, 66);
  RadioButton1 =
      radioButton("RadioButton1", "Res&ize", "Play video at original size", QRect(6, 14, 90, 16));
  RadioButton3 = radioButton("RadioButton3", "Full Scr&een", "Play video at Full Screen",
                             QRect(6, 30, 90, 16));
  RadioButton2 = radioButton("RadioButton2", "Resi&ze  to fit", "Restrict video to a set size",
                             QRect(6, 46, 90, 16));
  CheckBox1 = checkBox("CheckBox1", "Auto Pla&y", "Automatically play one track after the other",
                       QRect(100, 14, 90, 20));
  Button17 = button("Button17", "Su&b Select", "To filter file types from selected list",
                    QRect(100, 38, 90, 22));
  for (QWidget* control : std::initializer_list<QWidget*>{RadioButton1, RadioButton3, RadioButton2,
                                                          CheckBox1, Button17})
    control->setParent(RadioGroup2);
  RadioButton2->setChecked(true);
  CheckBox1->setChecked(true);

  RadioGroup1 = new QGroupBox(client());
  RadioGroup1->setObjectName("RadioGroup1");
  RadioGroup1->setGeometry(208, 298, 100, 66);
  RadioGroup1->setToolTip("Elapsed = amount played - Remaining = amount left to play");
  RadioGroup1Elapsed = new QRadioButton("Elapse&d time", RadioGroup1);
  RadioGroup1Elapsed->setObjectName("RadioGroup1Elapsed");
  RadioGroup1Elapsed->setGeometry(4, 12, 94, 20);
  RadioGroup1Remaining = new QRadioButton("Re&maining time", RadioGroup1);
  RadioGroup1Remaining->setObjectName("RadioGroup1Remaining");
  RadioGroup1Remaining->setGeometry(4, 36, 94, 20);
  RadioGroup1Remaining->setChecked(true);
  for (QRadioButton* choice : {RadioGroup1Elapsed, RadioGroup1Remaining})
    choice->setFont(smaller(choice->font()));
}

void TForm4::createTransportColumn() {
  const int left = 316, right = 408, wide = 87, tall = 24;
  Button1 =
      button("Button1", "&Play", "Play starting from first selection ", QRect(left, 8, wide, tall));
  Button3 = button("Button3", "Pa&use", "Click to Pause, click again to resume playing",
                   QRect(right, 8, wide, tall));
  Button4 = button("Button4", "&Next", "Go to next file selected", QRect(left, 36, wide, tall));
  Button5 =
      button("Button5", "Pre&vious", "Go to previous file selected", QRect(right, 36, wide, tall));
  Button2 = button("Button2", "&Stop", "Stop but retain selection(s)", QRect(left, 64, 179, tall));
  Button7 = button("Button7", "&CD Player", "Cancel all selections and return to CD player",
                   QRect(left, 92, wide, tall));
  Button18 = button("Button18", "Search Resu&lt", QString(), QRect(right, 92, wide, tall));

  Label7 = label("Label7", QString(), QRect(left, 122, 179, 20));
  sink(Label7);
  Label6 = label("Label6", QString(), QRect(left, 146, 179, 18));
  Label6->setAlignment(Qt::AlignCenter);
  Label3 = label("Label3", QString(), QRect(left, 166, 96, 34));
  Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label4 = label("Label4", QString(), QRect(left + 96, 166, 83, 34));
  for (QLabel* clock : {Label3, Label4}) {
    QFont face = boldOfSize(font(), 18);
    face.setItalic(true);
    clock->setFont(face);
    clock->setStyleSheet("color: green;");
  }

  TrackBar1 = new QSlider(Qt::Horizontal, client());
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setGeometry(left, 204, 179, 20);
  TrackBar1->setAccessibleName("Position");
  Gauge1 = new QProgressBar(client());
  Gauge1->setObjectName("Gauge1");
  Gauge1->setGeometry(left, 228, 179, 16);
  Gauge1->setAccessibleName("Progress");
  Label2 = label("Label2", QString(), QRect(left, 250, 179, 18));
  Label5 = label("Label5", QString(), QRect(left, 270, 179, 18));

  Button16 = button("Button16", "&Graphics", "Select and display Graphic files",
                    QRect(left, 336, wide, tall));
  BitBtn1 = button("BitBtn1", "E&xit", QString(), QRect(right, 336, wide, tall));
}

void TForm4::createMenus() {
  File1 = menu("&File");
  ReturntoCDPlayer1 = menuItem(File1, "ReturntoCDPlayer1", "&Return to CD Player");
  DisplayGraphicFiles1 = menuItem(File1, "DisplayGraphicFiles1", "Display &Graphic Files");
  SavePlayList2 = menuItem(File1, "SavePlayList2", "&Save Play List");
  Exit1 = menuItem(File1, "Exit1", "&Exit", QKeySequence::Quit);

  Tools1 = menu("&Tools");
  SystemStatus1 = menuItem(Tools1, "SystemStatus1", "S&ystem Status");
  HideToolTips1 = menuItem(Tools1, "HideToolTips1", "Tool Tips O&ff");
  ToolTipsOn1 = menuItem(Tools1, "ToolTipsOn1", "Tool T&ips On");
  Defaultallsettings1 = menuItem(Tools1, "Defaultallsettings1", "&Default all settings");
  Play1 = menuItem(Tools1, "Play1", "Play &List is OFF");

  Help1 = menu("&Help");
  Contents1 = menuItem(Help1, "Contents1", "&Content", QKeySequence::HelpContents);
  KeywordSearch1 = menuItem(Help1, "KeywordSearch1", "&Keyword Search");
  VisitCorvelaProWebSite1 =
      menuItem(Help1, "VisitCorvelaProWebSite1", "&Visit Corvela Pro Web Site");
  About1 = menuItem(Help1, "About1", "&About");
}
