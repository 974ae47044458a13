#pragma once

#include <QStringList>
#include <memory>

#include "app/form.h"
#include "files/list_window.h"

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
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QSlider;

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
  void Button6Click();                 // &Next
  void Button7Click();                 // Pre&vious
  void Button12Click();                // &Stop
  void RestoreListView();
  void CheckBox3Click();  // TV Loo&k
  // Ends what the window shows of a picture before it hands over to another window.
  void WindUpDisplay();

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

  // ---- Clipboard (graphic_clipboard.cpp) ----
  // Ctrl+C while a picture is shown; true when it took the key.
  bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
  void CopytoClipboard1Click();
  void Edit2Click();
  void CopyCtlC1Click();
  void DisplayClipboardViewer1Click();

  // ---- Printing (graphic_print_request.cpp) ----
  void Button18Click();  // &Print
  // The print entry the picture's double click shares with the Print button.
  void PrintRequest();

  // Delay entry
  void Edit1Change();
  void Edit1Exit();
  void TrackBar1Change();

  // Controls, by component name.
  QListWidget* ListBox1;
  QLabel* Panel4;  // placeholder while the list is empty
  PictureArea* Image1;
  QProgressBar* Animate1;
  QLabel* Label1;  // status line
  QPushButton* Button17;  // Su&b Select
  QFrame* Panel1;  // control panel
  QPushButton* Button1;   // Select Files F&or Display
  QPushButton* Button2;   // &Display
  QPushButton* Button12;  // &Stop
  QPushButton* Button6;   // &Next
  QPushButton* Button7;   // Pre&vious
  QGroupBox* RadioGroup1;
  QRadioButton* OriginalSize;
  QRadioButton* FitWindow;
  QRadioButton* FillScreen;
  QComboBox* ComboBox1;  // picture type
  DriveBox* DriveComboBox1;
  QPushButton* Button5;  // Find on drive
  QCheckBox* CheckBox2;  // Sl&ide Show
  QLabel* Label3;        // selected count
  QCheckBox* CheckBox1;  // Co&mpact
  QCheckBox* CheckBox3;  // TV Loo&k
  QPushButton* Button3;   // &CD Player
  QPushButton* Button19;  // Search Res&ult
  QPushButton* Button4;   // Sound And Video Pla&yer
  QPushButton* Button16;  // &Refresh
  QPushButton* BitBtn1;   // E&xit
  QFrame* Panel2;  // font panel
  QPushButton* Button10;  // Normal
  QPushButton* Button11;  // Bold
  QPushButton* Button13;  // Default
  QPushButton* Button14;  // Min
  QPushButton* Button15;  // Max
  QPushButton* Button8;   // -
  QPushButton* Button9;   // +
  ColourBox* RzColorComboBox1;
  QFrame* Panel3;  // delay panel
  QPushButton* Button18;  // &Print
  QLabel* Label2;         // delay label
  QLineEdit* Edit1;       // delay box
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

  // List state.
  int LastIndex = -1;
  int SelectedCount = 0;
  int CurrentIndex = 0;
  QString CurrentFileName;
  bool DisplayListMode = false;
  bool DisplayListInUse = false;
  QString DisplayListName;
  bool SkipNextKey = false;
  QStringList OpenDialogFiles;  // the open dialog's own result

  // Display state.
  bool StopRequested = false;
  bool PreviousBusy = false;
  int SavedWidth = 521;
  int SavedHeight = 389;
  int SlideDelay = 4;

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
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool FormCloseQuery() override;

 private:
  // graphics_viewer_layout.cpp
  void createControls();
  void createControlPanel();
  void createFontPanel();
  void createDelayPanel();
  void createMenus();
  void connectHandlers();
  void connectSwitching();
  void connectClipboardAndPrint();  // graphic_clipboard.cpp

  // graphic_list_filling.cpp
  void fillFromOpenDialog();
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
  // Shows the picture of the line at CurrentIndex; false when it could not.
  bool showCurrentPicture();
  void reportUnshowable(const QString& path);
  void enableWindowChoices(bool enabled);
  bool walkingFromPicture(QObject* Sender) const;
  bool canWalk();
  // The real path of the line at CurrentIndex: the line's own file, or the
  // open dialog's name for it.
  QString pathOfCurrentFile() const;
  QSize pictureSize() const;

  // ---- Clipboard and printing ----
  // The line at CurrentIndex names an icon, which neither copies nor prints.
  bool currentIsIcon() const;
  void copyPicture();
  bool soundPlaying() const;
  PrintedPicture printedPicture();

  bool typeBoxFilled_ = false;
  std::unique_ptr<ListWidgetLines> lines_;
};
