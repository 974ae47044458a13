#pragma once

#include <QPointer>
#include <QStringList>
#include <memory>

#include "program/form.h"
#include "services/files/list_window.h"
#include "windows/viewer/picture_walk.h"

class ColourBox;
class DriveBox;
class FindInList;
class ListLook;
class ListWidgetLines;
class PictureArea;
struct PrintedPicture;
class QComboBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QSlider;
class SlideClock;

// The graphics viewer: a ticked list of pictures, shown one by one or as a slide show.
class TForm9 : public Form, public ListWindow {
  Q_OBJECT
 public:
  explicit TForm9(Program& program);
  ~TForm9() override;

  void FormActivate() override;
  // The keys the window sees before its controls; true when it took the key.
  bool FormKeyPress(int key);

  // Filling the list (graphic_list_filling.cpp)
  void Button1Click();  // Select Files F&or Display
  void Button1RightClick();
  // Files handed in from outside the dialog (a drop, the desktop): the list
  // as the dialog would have filled it with them.
  void FillWithFiles(const QStringList& files);
  void DisplayListOFF1Click();
  void SaveDisplayList1Click();
  void Button5Click();  // Find &all ... on drive
  void ComboBox1Change();
  void ComboBox1Exit();
  void DriveComboBox1Change();
  // The type back at "BMP", with the Find button's caption.
  void ResetType();

  // Clicks and keys on the list (graphic_list_clicks.cpp)
  void ListBox1Click();
  void ListBox1DblClick();
  void ListBox1TickChanged(QListWidgetItem* item);
  void ListBox1KeyPress(int key);
  // "Selected: n - Current: m of k"; n is SelectedCount unless given.
  void ShowStatusLine(int selected = -1);

  // The list tools (graphic_list_tools.cpp)
  void Button19Click();  // Search Res&ult
  void Button17Click();  // Su&b Select
  // The details box; withPicture adds the picture's size.
  void ShowFileDetails(bool withPicture);
  void ListBox1RightClick();
  void RzColorComboBox1Change();
  // "&Default all settings": the list's colours and the delay as they start.
  void ApplyDefaultSettings();

  // Picture display (graphic_display.cpp); Sender is the control that started it.
  void Button2Click(QObject* Sender);  // &Display
  void Button6Click();  // &Next
  void Button7Click();  // Pre&vious
  // Ends what the window shows of a picture before it hands over to another window.
  void WindUpDisplay();

  // Stopping and the way back to the list (graphic_stop.cpp)
  void Button12Click();  // &Stop
  void Exit1Click();  // popup &Stop
  void RestoreListView();
  // A change of the window's size state; minimizing ends a display or a show.
  void FormResize();

  // The three sizes, TV look and compact mode (graphic_sizes.cpp)
  void RadioGroup1Click();
  void CheckBox3Click();  // TV Loo&k
  void CheckBox1Click();  // Co&mpact

  // The popup menu, the mouse on the picture and pointer parking (graphic_popup.cpp)
  void PopupMenu1Popup();
  void Next1Click();
  void Previous1Click();
  void FileDetails1Click();
  void SlideShowOn1Click();
  void Cancel1Click();
  void Image1MouseDown(Qt::MouseButton button);
  void Image1DblClick();
  // The right button on the window's background or the control panel.
  void BackgroundRightClick();

  // Slide show (slide_show.cpp)
  void CheckBox2Click();  // Sl&ide Show
  // The clock the show's pause reads; the system's own unless a test gives another.
  void useClock(SlideClock& clock) { clock_ = &clock; }

  // Leaving for the other windows, the menus shared with them, and closing
  // (graphics_viewer_switching.cpp).
  void Button3Click();  // &CD Player
  void ReturntoCDPlayer1Click();
  void Button4Click();  // Sound And Video Pla&yer
  void PlayVideoMIDMPEGWAVfiles1Click();
  void SystemStatus1Click();
  void About1Click();
  void Content1Click();
  void KeywordSearch1Click();
  void VisitCorvelaProWebSite1Click();
  void FormClose() override;

  // Clipboard (graphic_clipboard.cpp)
  // Ctrl+C while a picture is shown; true when it took the key.
  bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
  void CopytoClipboard1Click();
  void Edit2Click();
  void CopyCtlC1Click();
  void DisplayClipboardViewer1Click();

  // Printing (graphic_print_request.cpp)
  void Button18Click();  // &Print
  // The print entry the picture's double click shares with the Print button.
  void PrintRequest();

  // Delay entry
  void Edit1Change();
  void Edit1Exit();
  void TrackBar1Change();
  void Label2Click();

  // Controls, by component name.
  QListWidget* ListBox1;
  QLabel* Panel4;  // placeholder while the list is empty
  PictureArea* Image1;
  QProgressBar* Animate1;
  QLabel* Label1;  // status line
  QPushButton* Button17;  // Su&b Select
  QFrame* Panel1;  // control panel
  QPushButton* Button1;  // Select Files F&or Display
  QPushButton* Button2;  // &Display
  QPushButton* Button12;  // &Stop
  QPushButton* Button6;  // &Next
  QPushButton* Button7;  // Pre&vious
  QGroupBox* RadioGroup1;
  QRadioButton* OriginalSize;
  QRadioButton* FitWindow;
  QRadioButton* FillScreen;
  QComboBox* ComboBox1;  // picture type
  DriveBox* DriveComboBox1;
  QPushButton* Button5;  // Find on drive
  QCheckBox* CheckBox2;  // Sl&ide Show
  QLabel* Label3;  // selected count
  QCheckBox* CheckBox1;  // Co&mpact
  QCheckBox* CheckBox3;  // TV Loo&k
  QPushButton* Button3;  // &CD Player
  QPushButton* Button19;  // Search Res&ult
  QPushButton* Button4;  // Sound And Video Pla&yer
  QPushButton* Button16;  // &Refresh
  QPushButton* BitBtn1;  // E&xit
  QFrame* Panel2;  // font panel
  QPushButton* Button10;  // Normal
  QPushButton* Button11;  // Bold
  QPushButton* Button13;  // Default
  QPushButton* Button14;  // Min
  QPushButton* Button15;  // Max
  QPushButton* Button8;  // -
  QPushButton* Button9;  // +
  ColourBox* RzColorComboBox1;
  QFrame* Panel3;  // delay panel
  QPushButton* Button18;  // &Print
  QLabel* Label2;  // delay label
  QLineEdit* Edit1;  // delay box
  QSlider* TrackBar1;

  QMenu* File1;
  QMenu* Edit2;
  QMenu* Tools1;
  QMenu* Help1;
  QAction* PlayVideoMIDMPEGWAVfiles1;
  QAction* ReturntoCDPlayer1;
  QAction* SaveDisplayList1;
  QAction* Exit2;
  QAction* CopyCtlC1;
  QAction* DisplayClipboardViewer1;
  QAction* SystemStatus1;
  QAction* DisplayListOFF1;
  QAction* Content1;
  QAction* KeywordSearch1;
  QAction* VisitCorvelaProWebSite1;
  QAction* About1;

  QMenu* PopupMenu1;
  QAction* Next1;
  QAction* Previous1;
  QAction* FileDetails1;
  // --- Clipboard: connected by the clipboard work ---
  QAction* CopytoClipboard1;
  // --- end of clipboard ---
  QAction* Exit1;
  QAction* SlideShowOn1;
  QAction* Cancel1;

  // List state; the current line is the owner's.
  int SelectedCount = 0;
  bool DisplayListMode = false;
  bool DisplayListInUse = false;
  QString DisplayListName;
  bool SkipNextKey = false;

  // What is shown: the current line, the picture, the window's shape and the show.
  std::unique_ptr<PictureWalk> Pictures;
  int SavedWidth = 521;
  int SavedHeight = 389;

  std::unique_ptr<FindInList> Finder;
  std::unique_ptr<ListLook> Look;

  // ListWindow: what the drive search and the display list files use.
  SelectionLines& selectionLines() override;
  QString typeKey() const override;
  void stopSearchAnimation() override;
  void disableListControls() override;
  void resetControlsWithoutList() override;
  void focusWindow() override;
  void setListFileName(const QString& fileName) override { DisplayListName = fileName; }
  void disableSaveListCommand() override;

 protected:
  bool FormEventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool FormCloseQuery() override;

 private:
  // graphics_viewer_layout.cpp
  void createControls();
  void createControlPanel();
  void createFontPanel();
  void createDelayPanel();
  void createMenus();
  void createPictureMenu();
  void connectHandlers();
  void connectSwitching();
  void connectPopupMenu();
  void connectClipboardAndPrint();  // graphic_clipboard.cpp

  // graphic_list_filling.cpp
  void fillFromOpenDialog();
  void fillWithChosen(const QStringList& files);
  void fillFromDisplayList();
  void prepareForFilling();
  void showEmptyList();
  void showFilledList();
  void setFindCaption();
  void setFindCaptionWithoutDrive();
  bool enterDriveRoot();
  void disableForSearch();
  void showSearchResult();
  void showNothingFound();
  void setIdleControls();

  // graphic_list_clicks.cpp
  void makeHighlightedLineCurrent();
  void showListControls(bool shown);

  // graphic_list_tools.cpp
  QString soundLine() const;
  QString fileDetailsText(bool withPicture) const;

  // graphic_display.cpp
  void setUpDisplay(QObject* Sender);
  // The picture area in view or not, as the owner records it.
  void showPictureArea(PictureWalk::Shape shape);
  void hidePictureArea();
  // Shows the ticked lines from CurrentIndex on: one picture, or all of them in a show.
  void walk();
  void highlightCurrentLine();
  // Shows the picture of the line at CurrentIndex; false when it could not.
  bool showCurrentPicture();
  void cutTooBigPicture();
  void fillScreen();
  void showAtOriginalSize();
  void reportUnshowable(const QString& path);
  void enableWindowChoices(bool enabled);
  bool walkingFromPicture(QObject* Sender) const;
  bool canWalk();

  // graphic_stop.cpp
  void endDisplayFromKeyOrPopup();
  // The list, its tools and its status line back in view, on the current line.
  void returnToList();
  // The end of a show that ran past the last line.
  void endOfList();

  // viewer_window_shape.cpp
  void setBorder(bool single);
  // The window fitted round a client area of this size.
  void setClientSize(QSize size);
  void enterFullScreen();
  void leaveFullScreen();
  void centreWindow();
  void pictureFillsWindow();
  void enterCompactShape();
  QSize screenSize() const;
  QPoint screenCentre() const;
  // Parks the pointer as a popup command does: the place for the size
  // "fit window" is given, the other two sizes have their own.
  void parkPointer(QPoint fitWindowPlace);
  QPoint pointerBesideWindow(int right, int down) const;
  QPoint pointerBelowPicture() const;

  // slide_show.cpp
  bool slideShowStopped() const;
  // The pause after each picture: the delay in whole seconds of the clock.
  void waitSlideDelay();
  bool startSlideShow();
  void slideShowEnded();
  // The real path of the line at CurrentIndex: the line's own file, or the
  // open dialog's name for it.
  QString pathOfCurrentFile() const;
  QSize pictureSize() const;

  // ---- Clipboard and printing ----
  // The line at CurrentIndex names an icon, which neither copies nor prints.
  bool currentIsIcon() const;
  void copyPicture();
  PrintedPicture printedPicture();

  // True when the key press is one a control passed up to its parent.
  bool keyPassedUp(const QKeyEvent* press, QWidget* watched);

  bool typeBoxFilled_ = false;
  const QKeyEvent* lastKey_ = nullptr;
  quint64 lastKeyTime_ = 0;
  QPointer<QWidget> lastKeyReceiver_;
  // Where the list view's client area stood when the display began; the
  // window manager's frame comes round it again.
  QPoint listViewPlace_;
  // A display was ended by minimizing: the list view's shape waits for the
  // window's return.
  bool listViewOnRestore_ = false;
  std::unique_ptr<SlideClock> systemClock_;
  SlideClock* clock_;
  std::unique_ptr<ListWidgetLines> lines_;
};
