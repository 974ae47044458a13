#pragma once

#include <QStringList>
#include <memory>

#include "program/form.h"
#include "services/files/list_widget_lines.h"
#include "services/files/list_window.h"
#include "services/media_device/media_device.h"
#include "windows/media/play_sequence.h"

class ColourBox;
class DriveBox;
class DriveSearch;
class FindInList;
class ListFiles;
class ListLook;
class QComboBox;
class QFrame;
class QGroupBox;
class QListWidget;
class QProgressBar;
class QSlider;
class Timer;
class TMPEGPlayer;
class TMPEGError;

// The media player: a ticked list of sound and video files played one after another.
class TForm4 : public Form, public ListWindow {
  Q_OBJECT
 public:
  explicit TForm4(Program& program);
  ~TForm4() override;

  // Life of the window (media_player_lifecycle.cpp).
  void FormCreate();
  void FormActivate() override;
  bool FormCloseQuery() override;
  void FormClose() override;
  void BitBtn1Click();  // E&xit
  void Exit1Click();
  // What leaving for the graphics viewer does to this window's own playback:
  // it may go on playing sound while the viewer is in front.
  // Sender is the command that leaves.
  void WindUpPlaybackForGraphics(QObject* Sender);
  // What leaving for the CD player does to this window's own playback.
  void WindUpPlaybackForCdPlayer(QObject* Sender);
  // Leaving for the other windows, help and the web site (media_switching.cpp).
  void Button16Click();  // &Graphics
  void DisplayGraphicFiles1Click();
  void Button7Click();  // &CD Player
  void ReturntoCDPlayer1Click();
  void Contents1Click();
  void KeywordSearch1Click();
  void VisitCorvelaProWebSite1Click();
  void RadioButton1Click();  // Res&ize
  void RadioButton2Click();  // Resi&ze  to fit
  void RadioGroup1Click();

  // Filling the list (media_selection.cpp).
  void Button12Click();  // Select S&ound && Video / Select Pla&y List
  void Button12MouseDown(Qt::MouseButton button);
  // Files handed in from outside the dialog (a drop, the desktop): the list
  // as the dialog would have filled it with them.
  void FillWithFiles(const QStringList& files);
  void Play1Click();
  void SavePlayList2Click();

  // The drive search (media_search.cpp).
  void Button6Click();  // Sea&rch Drive

  // The list's own events (media_list_events.cpp); Sender is the control that started them.
  void ListBox1Click(QObject* Sender);
  void ListBox1DblClick(QObject* Sender);
  void ListBox1KeyDown(int key);
  void ListBox1Changing(int index);
  // "No File(s) Selected" when nothing is ticked.
  bool AnyTicked();

  // Transport (media_transport.cpp); Sender is the control that started the command.
  void Button1Click(QObject* Sender);  // &Play
  void Button2Click(QObject* Sender);  // &Stop
  void Button3Click();  // Pa&use
  void Button4Click(QObject* Sender);  // &Next
  void Button5Click(QObject* Sender);  // Pre&vious

  // Playback (media_playback.cpp): the step, run by the timer or at once by
  // Next and Previous with their own origin.
  void Timer1Timer(QObject* Sender);
  // The ends of files (media_file_ends.cpp).
  void CheckBox1Click();  // Auto Pla&y
  void MediaPlayer1Notify();
  void MPlayer1PlayEnd(QObject* Sender);
  // The MPEG file that plays failed on its way (its output, its input).
  void MPlayer1PlayError(const TMPEGError& error);

  // Position (media_position.cpp): the clock, the slider and the gauge.
  void MPlayer1PosUpdate(int Pos, int Len);
  void TrackBar1Change();
  void TrackBar1Held(bool held);

  // Tools and Help menus (media_player_window.cpp).
  void SystemStatus1Click();
  void About1Click();
  void HideToolTips1Click();
  void ToolTipsOn1Click();
  void Defaultallsettings1Click();
  // This window's part of "Default all settings".
  void ApplyDefaultSettings();
  // The two tool-tip commands of this window's menu, for hints on or off.
  void applyToolTips(bool on);

  // ListWindow: what the drive search and the list files need of this window.
  SelectionLines& selectionLines() override { return Lines; }
  QString typeKey() const override;
  void stopSearchAnimation() override;
  void disableListControls() override;
  void resetControlsWithoutList() override;
  void focusWindow() override;
  void setListFileName(const QString& fileName) override { PlayListName = fileName; }
  void disableSaveListCommand() override;

  // Controls, by component name. Left: the list area and the rows under it.
  QListWidget* ListBox1;
  QFrame* Panel1;  // the video panel, in place of the list
  QProgressBar* Animate1;  // the search animation
  QPushButton* Button12;  // Select S&ound && Video
  DriveBox* DriveComboBox1;
  QComboBox* ComboBox1;  // type selector
  QPushButton* Button6;  // Sea&rch Drive
  QPushButton* Button8;  // -
  QPushButton* Button9;  // +
  QPushButton* Button10;  // Normal
  QPushButton* Button11;  // Bold
  QPushButton* Button13;  // Default
  QPushButton* Button14;  // Min
  QPushButton* Button15;  // Max
  ColourBox* RzColorComboBox1;
  QLabel* Label1;  // title line
  QGroupBox* RadioGroup2;  // "Video"
  QRadioButton* RadioButton1;  // Res&ize
  QRadioButton* RadioButton3;  // Full Scr&een
  QRadioButton* RadioButton2;  // Resi&ze  to fit
  QCheckBox* CheckBox1;  // Auto Pla&y
  QPushButton* Button17;  // Su&b Select
  QGroupBox* RadioGroup1;  // elapsed or remaining time
  QRadioButton* RadioGroup1Elapsed;
  QRadioButton* RadioGroup1Remaining;
  // Right: transport, counters and position, the ways out.
  QPushButton* Button1;  // &Play
  QPushButton* Button3;  // Pa&use
  QPushButton* Button4;  // &Next
  QPushButton* Button5;  // Pre&vious
  QPushButton* Button2;  // &Stop
  QPushButton* Button7;  // &CD Player
  QPushButton* Button18;  // Search Resu&lt
  QLabel* Label7;  // selected
  QLabel* Label6;  // playing
  QLabel* Label3;  // clock minutes
  QLabel* Label4;  // clock seconds
  QSlider* TrackBar1;
  QProgressBar* Gauge1;
  QLabel* Label2;  // file size
  QLabel* Label5;  // play time
  QPushButton* Button16;  // &Graphics
  QPushButton* BitBtn1;  // E&xit

  // The three menus, addressed together by playback.
  QMenu* File1;
  QMenu* Tools1;
  QMenu* Help1;
  QAction* ReturntoCDPlayer1;
  QAction* DisplayGraphicFiles1;
  QAction* SavePlayList2;
  QAction* Exit1;
  QAction* SystemStatus1;
  QAction* HideToolTips1;
  QAction* ToolTipsOn1;
  QAction* Defaultallsettings1;
  QAction* Play1;
  QAction* Contents1;
  QAction* KeywordSearch1;
  QAction* VisitCorvelaProWebSite1;
  QAction* About1;

  Timer* Timer1;  // the playback step

  // The list's state.
  ListWidgetLines Lines;
  // What plays: the cursor, the two devices and what they hold, the pause mark.
  PlaySequence Sequence;
  MediaDevice* const MediaPlayer1;  // the media device, held by Sequence
  TMPEGPlayer* const MPlayer1;  // the MPEG audio component, held by Sequence
  int LastIndex = -1;
  int SelectedCount = 0;
  bool PlayListMode = false;
  bool PlayListInUse = false;
  QString PlayListName;
  QString DetailsFileName;
  QString CurrentTitle;
  QString CurrentFileName;
  // Sideways scroll room of the list: 3000 while it shows a usable selection, else 30.
  int HorizontalExtent = 30;

  // Playback's state.
  bool NextBusy = false;
  bool PreviousBusy = false;
  int CurrentLength = 0;

  // List tools (media_list_tools.cpp): the type chooser, Find, the file
  // details box and the look of the list and the title line.
  void Button17Click();  // Su&b Select
  // The type chooser ticked selectedCount lines.
  void SubSelectApplied(int selectedCount);
  void Button18Click();  // Search Resu&lt
  // A mouse button on the list, the window background or the video panel:
  // the right one shows the details of the file they point at.
  void ListBox1MouseDown(Qt::MouseButton button);
  void FormMouseDown(Qt::MouseButton button);
  void Panel1MouseDown(Qt::MouseButton button);
  // The full-screen window's "&File Details": the highlighted line's file.
  void FileDetailsFromFullScreen();
  void Button8Click();  // -
  void Button9Click();  // +
  void Button10Click();  // Normal
  void Button11Click();  // Bold
  void Button13Click();  // Default
  void Button14Click();  // Min
  void Button15Click();  // Max
  void RzColorComboBox1Change();
  void RzColorComboBox1CloseUp();
  // The stored look, as the window opens without a list.
  void ApplyLookAtActivation();
  std::unique_ptr<FindInList> Finder;  // keeps the last Find text
  std::unique_ptr<ListLook> Look;

 protected:
  bool FormEventFilter(QObject* watched, QEvent* event) override;

 private:
  // The list takes a key; a highlight it moves counts as a click.
  bool moveHighlightByKey(QEvent* event);
  // The window's controls and menus at their fixed places (media_player_layout.cpp).
  void createControls();
  void createListArea();
  void createLookRow();
  void createVideoFrame();
  void createTransportColumn();
  void createMenus();
  void connectHandlers();
  void connectMenus();
  void connectSwitching();
  void leaveForGraphics(QObject* Sender);
  void leaveForCdPlayer(QObject* Sender);

  // Shared steps of the handlers.
  void setExtent(int pixels);
  void setTicked(int index, bool ticked);
  void tickAll();
  void setLookControlsEnabled(bool enabled);
  void setVideoSizeChoicesEnabled(bool enabled);
  void setMenusEnabled(bool enabled);
  void setToolsAndHelpEnabled(bool enabled);
  void setSearchControlsEnabled(bool enabled);
  void setTransportEnabled(bool enabled);
  void setSelectionRowShown(bool shown);
  void emptyPlaybackLabels();
  void emptyAllLabels();
  void clearPosition();
  void showSelectedCount(int count);
  void showListIfFilled();
  void resetWithoutList();
  void clearForFilling();
  void letGoOfPlayback();
  void fillFromDialog();
  void takeChosenFiles(const QStringList& chosen);
  void fillFromPlayList();
  void showFillingResult(bool fromPlayList);
  void showFilledList(bool fromPlayList);
  void reportNoFilesFound(const QString& drive);
  void showSearchResults();
  bool enterDriveRoot(const QString& drive);
  void startSearch();
  void fillTypeSelector();
  void applyVideoSizeFromSettings();
  void resetForFirstActivation();
  void leaveSoundPlaying(QObject* Sender);

  // The MPEG component's steps.
  void CloseMpeg();
  void LoadMPEGLibrary();
  void UnloadMPEGLibrary();

  // List tools (media_list_tools.cpp).
  void connectListTools();
  QString highlightedLine() const;
  void highlightLineAt(const QPoint& point);
  void takeLineNames(int row);
  QString realPathOf(const QString& name) const;
  void showFileDetails(const QString& name, bool withPlayListLine);
  void describeDetailsFile(Qt::MouseButton button);
  void applyLook(void (ListLook::*look)());
  // Playback (media_playback.cpp, media_file_ends.cpp, media_position.cpp, media_video.cpp).
  void connectPlayback();
  // The rules of the sequence know commands by what they are, not by their control.
  Origin originOf(QObject* Sender) const;
  bool stepMci(QObject* Sender);
  bool findTickedLine(QObject* Sender);
  void startMciFile(QObject* Sender);
  void openMciFile(const QString& fileName, bool video);
  void startMpegFile(QObject* Sender);
  void openMpegFile(const QString& fileName);
  void takeLine();
  void setPositionRanges(int sliderMaximum, int gaugeMaximum);
  void fileStarted(const QString& fileName);
  void playFailed(QObject* Sender, const QString& fileName, const QString& reason);
  void skipFailedFile();
  void tellNoMoreSelections();
  void showMciPosition(QObject* Sender);
  void clearPlayback();
  void endOfList();
  bool remainingChosen() const;
  void showClock(int seconds);
  void showPlayTime(int minutes, int seconds);
  void showFileSize(const QString& fileName);
  void showNowPlaying(const QString& fileName);
  void emptyFileLabels();
  void closeCurrentFile();
  void dropWhatPlayed();
  bool pauseMpeg();
  void beepThreeTimes();
  void hideListForVideo();
  void placeVideo();
  void showListAgain();
  void restoreIdleControls();
  void leaveFullScreen();
  void closeFullScreen();
  bool takeDownFullScreen(bool closing);
  void arrangeAroundVideo();

  std::unique_ptr<ListFiles> PlayLists;
  std::unique_ptr<DriveSearch> Search;
};
