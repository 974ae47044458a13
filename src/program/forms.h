#pragma once

#include <memory>
#include <vector>

#include "program/main_windows.h"

class Form;
struct Program;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm13;
class TForm14;
class TForm16;

// The window set: every window, created once in the program's fixed order and
// kept until the program ends. Windows reach the windows of their own part
// through it, and the other main windows through what it answers as
// MainWindows. It names the windows only by declaration, so including it
// reaches no window; the wiring, which includes them all, defines it.
class Forms final : public MainWindows {
 public:
  Forms();
  ~Forms();
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;

  // The CD player first, as the main window: its creation runs the start-up
  // checks before any other window exists.
  void createAll(Program& program);
  // Every window created so far, in the order of creation.
  std::vector<Form*> all() const;

  void restoreMainWindow() override;
  void showMediaPlayer() override;
  void showGraphicsViewer() override;
  void returnToCdPlayer(QWidget* handingWindow, bool disableTracksToo) override;
  void cdGivesWayToMediaPlayer() override;
  void cdStopsForViewerClose() override;
  void endRun() override;
  void helpContents() override;
  void helpKeywordSearch() override;
  void toolTips(bool on) override;
  void defaultAllSettings() override;
  void mediaPlayerToolTips(bool on) override;
  void listWindowsToDefaults() override;
  QString mediaTitle() const override;
  QString mediaFileOpen() const override;
  std::optional<int> cdTrackPlaying() const override;
  bool soundPlaying() const override;

  std::unique_ptr<TForm1> Form1;  // CD player
  std::unique_ptr<TForm3> Form3;  // About
  std::unique_ptr<TForm2> Form2;  // system status
  std::unique_ptr<TForm4> Form4;  // media player
  std::unique_ptr<TForm5> Form5;  // single track dialog
  std::unique_ptr<TForm6> Form6;  // status checking dialog
  std::unique_ptr<TForm7> Form7;  // start-up reminder
  std::unique_ptr<TForm8> Form8;  // standard CD player
  std::unique_ptr<TForm9> Form9;  // graphics viewer
  std::unique_ptr<TForm10> Form10;  // media type chooser
  std::unique_ptr<TForm11> Form11;  // graphic type chooser
  std::unique_ptr<TForm13> Form13;  // graphic print options
  std::unique_ptr<TForm14> Form14;  // print preview
  std::unique_ptr<TForm16> Form16;  // full-screen video window
};
