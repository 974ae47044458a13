#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "program/form.h"
#include "services/media_device/media_device.h"
#include "windows/cd/cd_playback.h"
#include "windows/cd/play_order.h"

struct CdText;
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

  // Drive choice, loading and ejecting (cd_loading.cpp)
  void ComboBox1Change();
  void Button7Click();  // &Load
  void LoadCD1Click();
  void Button8Click();  // &Eject
  void ComputeDiscFingerprint();
  // The title and performer the disc gives the track, if any.
  CdText TrackText(int track) const;

  // The virtual drive's disc image (cd_disc_image.cpp)
  void OpenDiscImage1Click();
  // The image becomes the virtual drive's disc and is loaded in place of any disc loaded.
  void LoadDiscImage(const QString& image);

  // Track selection and play order (cd_selection.cpp)
  void Button9Click();  // A&ll
  void Button10Click();  // N&one
  void Button11Click();  // Trac&ks
  void CheckBox2Click();  // &Random
  void CheckBox4Click();  // Sele&ct
  void CheckBox2MouseDown(Qt::MouseButton button);
  void CheckBox4MouseDown(Qt::MouseButton button);
  void DisplayRandomTracks1Click();
  void DisplayAsSelectedTracks1Click();
  void TrackBoxClick(int track);
  void ComputeTickedTotal();
  bool AnyTrackTicked();
  void ShuffleTracks(int trackCount);
  // Sets CurrentTrack for the command that asks; false when it ran Stop instead.
  bool ChooseTrackToPlay(QObject* Sender);

  // Transport (cd_transport.cpp); Sender is the control that started the command.
  void Button1Click(QObject* Sender);  // &Play
  void Button2Click(QObject* Sender);  // &Stop
  void Button3Click();  // Pa&use
  void Button4Click();  // &Next
  void Button5Click();  // Pre&vious
  void Timer1Timer();
  void MediaPlayer1Notify();
  void TrackBar1Change();
  void Button14Click();  // C&ont
  // The desktop's media controls choose a place in the track playing: the
  // slider's steps and then Cont's, as a drag would.
  void PlayFrom(int seconds);
  void IntroScanClick();
  void RadioButton1Click();
  void RadioButton2Click();
  void CheckBox1Click();

  // Status checking, the standard CD player and the single track dialog (cd_status.cpp)
  void Timer2Timer();
  void FormMouseDown(Qt::MouseButton button);
  void CheckBox3Click();  // Normal C&D Player
  void SetStatusChecking1Click();
  void Button13Click();  // Single
  void PlayaSingleCDTrack1Click();

  // Shutdown
  void BitBtn1Click();
  void Exit1Click();
  bool FormCloseQuery() override;
  void FormClose() override;
  // The end of every run, from whichever main window closes: the random-play
  // question, the settings saved as not running, and the end of the program.
  void EndRun();

  // Switching to the other windows and back (cd_switching.cpp)
  void Button12Click();  // Sound And Video Pla&yer
  void PlayVideoMIDMPEGWAVfiles1Click();
  void Button6Click();  // &Graphics
  void DisplayGraphicFiles1Click();
  // The media player or graphics viewer hands back, after winding up its own
  // playback; the viewer's hand-back also disables "Trac&ks" on a changed disc.
  void ReturnFrom(QWidget* handingWindow, bool disableTracksToo);
  // The graphics viewer hands over to the media player: the CD stops first.
  void GiveWayToMediaPlayer();
  // The graphics viewer closes: the CD stops as its Stop button would.
  void StopForViewerClose();

  // Tools and Help menus
  void SystemStatus2Click();
  void About2Click();
  void Contents1Click();
  void KeywordSearch1Click();
  void VisitCorvelaProWebSite1Click();
  void HideToolTips1Click();
  void ToolTipsOn1Click();
  void Defaultallsettings1Click();
  void TurnreminderON1Click();
  void TurNreminderOFF1Click();
  // Turns the start-up reminder on or off, with its menu items and message.
  void setReminder(bool on);

  // Controls, by component name.
  QPushButton* Button1;  // &Play
  QPushButton* Button2;  // &Stop
  QPushButton* Button3;  // Pa&use
  QPushButton* Button4;  // &Next
  QPushButton* Button5;  // Pre&vious
  QPushButton* Button6;  // &Graphics
  QPushButton* Button7;  // &Load
  QPushButton* Button8;  // &Eject
  QPushButton* Button9;  // A&ll
  QPushButton* Button10;  // N&one
  QPushButton* Button11;  // Trac&ks
  QPushButton* Button12;  // Sound And Video Pla&yer
  QPushButton* Button13;  // Single
  QPushButton* Button14;  // C&ont
  QPushButton* IntroScan;
  QPushButton* BitBtn1;  // E&xit
  QComboBox* ComboBox1;  // drive list
  QCheckBox* CheckBox1;  // Update Icon &whilst maximised
  QCheckBox* CheckBox2;  // &Random
  QCheckBox* CheckBox3;  // Normal C&D Player
  QCheckBox* CheckBox4;  // Sele&ct
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
  QAction* OpenDiscImage1;
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

  // The transport's state, the CD audio device with it; MediaPlayer1 names the device.
  CdPlayback Playback;
  MediaDevice* const MediaPlayer1;
  QString DeviceName;  // the drive it opens

  // The track table: slots are 1-based. The window has a box for each of the
  // first 30 tracks; the rest are reached through the single track dialog.
  static constexpr int TrackBoxCount = 30;
  int DiscTrackCount = 0;
  int ListedTrackCount = 0;  // tracks reachable through the boxes, at most TrackBoxCount
  std::array<std::uint32_t, 100> TrackLengthMsf{};
  std::array<std::uint32_t, 100> TrackSeconds{};
  std::array<QCheckBox*, TrackBoxCount + 1> TrackBoxes{};  // null while no disc is loaded

  bool IntroMode = false;  // intro scan on: "&Intro On" shows on its button
  int SelectedSeconds = 0;
  int SelectedMinutes = 0;

  Timer* Timer1;  // display timer
  Timer* Timer2;  // status timer

  QString ProgramDirectory;  // ends with "/"

 protected:
  // The right button on the two mode boxes lists their order.
  bool FormEventFilter(QObject* watched, QEvent* event) override;
  // The right button on the window's background tells the status setting.
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // The CD stops, as Sender's command stops it, and lets its drive go.
  void letDiscGo(QObject* Sender);
  // The window's controls and menus at their fixed places (cd_player_layout.cpp).
  void createControls();
  void createMenus();
  void connectHandlers();

  // Start-up checks (cd_player_startup.cpp).
  void claimSingleInstance();
  void closeRivalMediaPlayer();
  void closeRivalCdPlayer();
  void refuseLargeFonts();
  void showNoDiscState();
  void applySettingsToControls();
  void disableDiscCommands();
  void fillDriveList();
  void leaveDiscPlayingOrStop();
  void setTimerIntervals();

  // Loading helpers (cd_loading.cpp).
  void createTrackBoxes();
  void showTrackTitles();
  void readTrackLengths();
  void destroyTrackBoxes();
  bool discLoaded() const;

  // Selection helpers (cd_selection.cpp).
  void setTrackBoxes(bool ticked, bool enabled);
  PlayOrder::Ticks tickedTracks() const;
  int lowestTickedTrack() const;
  int highestTickedTrack() const;
  bool chooseInSelectedOrder(QObject* Sender);
  void chooseInRandomOrder(QObject* Sender);
  bool chooseInTrackOrder(int request);
  void showSelectedOrder(bool ticked);
  // Refuses a play mode on a one-track disc, leaving everything as it was.
  bool refusedOnOneTrack(QCheckBox* modeBox);

  // Transport helpers (cd_transport.cpp).
  void warnAndCloseRivalCdPlayerIfRunning();
  void playTrackAlone(int track);
  void playTrackFrom(std::uint32_t position);
  void playOnFromEarlierRun();
  void setPositionRanges(int track);
  void showPositionControls();
  void hidePositionControls();
  void clearTime();
  QString trackLine(int track) const;
  void moveToNextTrack(QObject* Sender);
  void stepInTrackOrder(int step, QObject* Sender);
  // Next and Previous land on a ticked track: it plays from its start.
  void playTickedFrom(int track, int step);
  void showTrackEnded();
  void holdAtChosenPlace(int seconds);
  void stopAfterLastTrack();
  void showPosition(std::uint32_t position);
  void prepareNextInSelectedOrder();

  // Status checking helpers (cd_status.cpp).
  bool reopenUnlessDoorOpen();
  void enableStoppedCommands();
  void checkDiscLength();
  void turnStatusCheckingOff();
  void turnStatusCheckingOn();

  void applyToolTips(bool on);
  void saveWithActive(bool active);
  void showMediaPlayer();
  void showHelp(bool keywordSearch);

  bool FirstActivation = true;
};
