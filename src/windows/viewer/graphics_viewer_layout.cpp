// The graphics viewer's controls and menus at their fixed places in the
// 521 x 389 client area.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "widgets/colour_box.h"
#include "widgets/drive_box.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"

namespace {

// The picture the empty list area shows: a frame round a landscape.
QPixmap placeholderPicture(QSize size) {
  QPixmap picture(size);
  picture.fill(QColor(192, 192, 192));
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRect frame = picture.rect().adjusted(40, 40, -40, -60);
  QLinearGradient sky(frame.topLeft(), frame.bottomLeft());
  sky.setColorAt(0, QColor(40, 90, 200));
  sky.setColorAt(1, QColor(170, 210, 255));
  painter.fillRect(frame, sky);
  painter.setBrush(QColor(250, 220, 60));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPoint(frame.right() - 50, frame.top() + 40), 18, 18);
  painter.setBrush(QColor(40, 130, 60));
  painter.drawPolygon(
      QPolygon({frame.bottomLeft(), QPoint(frame.left() + 90, frame.top() + 80),
                QPoint(frame.left() + 160, frame.bottom() - 50),
                QPoint(frame.left() + 200, frame.top() + 110), frame.bottomRight()}));
  painter.setPen(QPen(QColor(90, 60, 30), 8));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(frame);
  painter.setPen(Qt::black);
  painter.drawText(QRect(0, frame.bottom() + 10, size.width(), 30), Qt::AlignCenter,
                   "Corvela Pro Graphics Viewer");
  return picture;
}

QFrame* panel(QWidget* parent, const char* name, QRect place) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setGeometry(place);
  frame->setFrameShape(QFrame::Panel);
  frame->setFrameShadow(QFrame::Raised);
  return frame;
}

template <class Control>
Control* onPanel(Control* control, const char* name, const QString& hint, QRect place) {
  control->setObjectName(name);
  control->setGeometry(place);
  if (!hint.isEmpty()) control->setToolTip(hint);
  return control;
}

QPushButton* panelButton(QWidget* panel, const char* name, const QString& caption,
                         const QString& hint, QRect place) {
  return onPanel(new QPushButton(caption, panel), name, hint, place);
}

QCheckBox* panelCheckBox(QWidget* panel, const char* name, const QString& caption,
                         const QString& hint, QRect place) {
  return onPanel(new QCheckBox(caption, panel), name, hint, place);
}

}  // namespace

void TForm9::createControls() {
  const QRect listArea(16, 9, 313, 273);
  ListBox1 = new QListWidget(client());
  ListBox1->setObjectName("ListBox1");
  ListBox1->setGeometry(listArea);
  ListBox1->setToolTip("Double Click or hit ENTER to play a hi-lighted file");
  ListBox1->hide();
  Panel4 = label("Panel4", QString(), listArea);
  Panel4->setPixmap(placeholderPicture(listArea.size()));
  Panel4->setAccessibleName("No pictures selected");
  Animate1 = new QProgressBar(client());
  Animate1->setObjectName("Animate1");
  Animate1->setGeometry(92, 130, 160, 20);
  Animate1->setRange(0, 0);
  Animate1->setToolTip("Hit Esc to abort search");
  Animate1->hide();
  Image1 = new PictureArea(client());
  Image1->setObjectName("Image1");
  Image1->setGeometry(listArea);
  Image1->setToolTip("Left button for previous - Right for next");
  Image1->setAccessibleName("Picture");
  Image1->hide();

  Button17 = button("Button17", "Su&b Select", "To filter file types from selected list",
                    QRect(8, 288, 70, 22));
  Button17->hide();
  Label1 = label("Label1", QString(), QRect(82, 292, 245, 15));
  Label1->setAlignment(Qt::AlignCenter);

  createControlPanel();
  createFontPanel();
  createDelayPanel();
}

void TForm9::createControlPanel() {
  Panel1 = panel(client(), "Panel1", QRect(344, 8, 167, 377));
  const int left = 6, wide = 155, half = 76, right = 85, tall = 22;
  Button1 = panelButton(Panel1, "Button1", "Select Files F&or Display",
                        "Right mouse click to toggle between selection and Display Lists",
                        QRect(left, 6, wide, tall));
  Button2 = panelButton(Panel1, "Button2", "&Display", "Play starting from hi-lighted selection",
                        QRect(left, 30, half, tall));
  Button12 = panelButton(Panel1, "Button12", "&Stop", {}, QRect(right, 30, half, tall));
  Button6 = panelButton(Panel1, "Button6", "&Next", {}, QRect(left, 54, half, tall));
  Button7 = panelButton(Panel1, "Button7", "Pre&vious", {}, QRect(right, 54, half, tall));

  RadioGroup1 = onPanel(new QGroupBox(Panel1), "RadioGroup1",
                        "Display graphic at its original size, or resize to fill window (hit Esc "
                        "to exit)",
                        QRect(left, 78, wide, 62));
  OriginalSize = onPanel(new QRadioButton("Allow ori&ginal size", RadioGroup1), "OriginalSize", {},
                         QRect(6, 4, 145, 18));
  FitWindow = onPanel(new QRadioButton("Re-si&ze to fit window", RadioGroup1), "FitWindow", {},
                      QRect(6, 22, 145, 18));
  FillScreen = onPanel(new QRadioButton("Re-size to fi&ll screen", RadioGroup1), "FillScreen", {},
                       QRect(6, 40, 145, 18));
  FitWindow->setChecked(true);

  ComboBox1 = onPanel(new QComboBox(Panel1), "ComboBox1", {}, QRect(left, 144, 56, tall));
  ComboBox1->setEditable(true);
  ComboBox1->setAccessibleName("Picture type");
  DriveComboBox1 = onPanel(new DriveBox(Panel1), "DriveComboBox1", {}, QRect(66, 144, 95, tall));
  DriveComboBox1->setAccessibleName("Drive");
  Button5 =
      panelButton(Panel1, "Button5", "Find &all BMP's on drive", {}, QRect(left, 168, wide, tall));

  CheckBox2 =
      panelCheckBox(Panel1, "CheckBox2", "Sl&ide Show",
                    "Display all selected graphics one after the other", QRect(left, 194, 90, 18));
  CheckBox2->setEnabled(false);
  Label3 = onPanel(new QLabel(Panel1), "Label3", {}, QRect(105, 193, 56, 20));
  Label3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Label3->setAlignment(Qt::AlignCenter);
  QFont bold = Label3->font();
  bold.setBold(true);
  Label3->setFont(bold);
  Label3->setAccessibleName("Selected files");
  CheckBox1 =
      panelCheckBox(Panel1, "CheckBox1", "Co&mpact", "Reduce display to the size of these controls",
                    QRect(left, 216, 75, 18));
  CheckBox3 = panelCheckBox(Panel1, "CheckBox3", "TV Loo&k", {}, QRect(right, 216, 75, 18));
  CheckBox3->setChecked(true);

  // "Search Result" needs more room than "CD Player" beside it.
  const int shift = 6;
  Button3 = panelButton(Panel1, "Button3", "&CD Player", {}, QRect(left, 240, half - shift, tall));
  Button19 = panelButton(Panel1, "Button19", "Search Res&ult", {},
                         QRect(right - shift, 240, half + shift, tall));
  Button4 =
      panelButton(Panel1, "Button4", "Sound And Video Pla&yer", {}, QRect(left, 264, wide, tall));
  Button16 = panelButton(Panel1, "Button16", "&Refresh",
                         "Redraw graphic to clear garbage from a previous display",
                         QRect(left, 288, half, tall));
  BitBtn1 = panelButton(Panel1, "BitBtn1", "E&xit", {}, QRect(right, 288, half, tall));
  for (QPushButton* needsList : {Button2, Button6, Button7, Button12, Button19})
    needsList->setEnabled(false);
}

void TForm9::createFontPanel() {
  Panel2 = panel(client(), "Panel2", QRect(8, 312, 329, 33));
  Panel2->setToolTip("Control look and size of filename details etc");
  const QString hint = "Control look and size of filename details etc";
  Button10 = panelButton(Panel2, "Button10", "Normal", hint, QRect(4, 5, 44, 23));
  Button11 = panelButton(Panel2, "Button11", "Bold", hint, QRect(50, 5, 36, 23));
  Button13 = panelButton(Panel2, "Button13", "Default", hint, QRect(88, 5, 46, 23));
  Button14 = panelButton(Panel2, "Button14", "Min", hint, QRect(136, 5, 32, 23));
  Button15 = panelButton(Panel2, "Button15", "Max", hint, QRect(170, 5, 32, 23));
  Button8 = panelButton(Panel2, "Button8", "-", hint, QRect(204, 5, 22, 23));
  Button9 = panelButton(Panel2, "Button9", "+", hint, QRect(228, 5, 22, 23));
  RzColorComboBox1 =
      onPanel(new ColourBox(Panel2), "RzColorComboBox1",
              "Change Font colour - Right click to set custom Font colour", QRect(254, 5, 71, 23));
  RzColorComboBox1->setAccessibleName("Font colour");
  Panel2->hide();
}

void TForm9::createDelayPanel() {
  Panel3 = panel(client(), "Panel3", QRect(8, 352, 329, 33));
  Button18 = panelButton(Panel3, "Button18", "&Print", {}, QRect(4, 5, 44, 23));
  // The label's whole text fits; the slider gives up the room.
  Label2 = onPanel(new QLabel("Delay for Slide Show (1-20 secs)", Panel3), "Label2", {},
                   QRect(52, 8, 182, 16));
  Edit1 = onPanel(new QLineEdit("4", Panel3), "Edit1",
                  "Enter figure (1 to 20) to set delay per second for slide show",
                  QRect(236, 6, 24, 21));
  Edit1->setMaxLength(2);
  QFont bold = Edit1->font();
  bold.setBold(true);
  Edit1->setFont(bold);
  Edit1->setAccessibleName("Slide show delay");
  TrackBar1 = onPanel(new QSlider(Qt::Horizontal, Panel3), "TrackBar1",
                      "Use mouse or cursor keys to set delay per second for slide show",
                      QRect(262, 4, 62, 25));
  TrackBar1->setRange(1, 20);
  TrackBar1->setSingleStep(1);
  TrackBar1->setPageStep(1);
  TrackBar1->setTickInterval(1);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setValue(4);
  Panel3->hide();
}

void TForm9::createMenus() {
  File1 = menu("&File");
  PlayVideoMIDMPEGWAVfiles1 =
      menuItem(File1, "PlayVideoMIDMPEGWAVfiles1", "Play Video--MID--MPEG--&WAV files");
  ReturntoCDPlayer1 = menuItem(File1, "ReturntoCDPlayer1", "&Return to CD Player");
  SaveDisplayList1 = menuItem(File1, "SaveDisplayList1", "&Save Display List");
  SaveDisplayList1->setEnabled(false);
  Exit2 = menuItem(File1, "Exit2", "E&xit", QKeySequence::Quit);
  Edit2 = menu("&Edit");
  CopyCtlC1 = menuItem(Edit2, "CopyCtlC1", "&Copy - Ctl+C");
  DisplayClipboardViewer1 = menuItem(Edit2, "DisplayClipboardViewer1", "&Display Clipboard Viewer");
  Tools1 = menu("&Tools");
  SystemStatus1 = menuItem(Tools1, "SystemStatus1", "S&ystem Status");
  DisplayListOFF1 = menuItem(Tools1, "DisplayListOFF1", "Display &List OFF");
  Help1 = menu("&Help");
  Content1 = menuItem(Help1, "Content1", "&Content", QKeySequence::HelpContents);
  KeywordSearch1 = menuItem(Help1, "KeywordSearch1", "&Keyword Search");
  VisitCorvelaProWebSite1 =
      menuItem(Help1, "VisitCorvelaProWebSite1", "&Visit Corvela Pro Web Site");
  About1 = menuItem(Help1, "About1", "&About");
}

void TForm9::createPictureMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  struct Entry {
    QAction** action;
    const char* name;
    const char* caption;
  };
  for (const Entry& entry :
       {Entry{&Next1, "Next1", "&Next"}, Entry{&Previous1, "Previous1", "&Previous"},
        Entry{&FileDetails1, "FileDetails1", "&File Details"},
        Entry{&CopytoClipboard1, "CopytoClipboard1", "Cop&y to Clipboard  (Ctl+C)"},
        Entry{&Exit1, "Exit1", "&Stop"}, Entry{&SlideShowOn1, "SlideShowOn1", "Sli&de Show On"},
        Entry{&Cancel1, "Cancel1", "&Cancel"}})
    *entry.action = menuItem(PopupMenu1, entry.name, entry.caption);
}
