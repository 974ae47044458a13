#pragma once

#include <QSize>
#include <QString>

class SelectionLines;

// What the graphics viewer shows, free of widgets: the current line, the
// picture on screen, the shape the window took for it, the choices that
// shape it, and the slide show; with the decisions of the walk through the
// ticked lines that Display, Next, Previous and the show share. The window's
// handlers keep it and ask it; the rest of the program asks it what is shown,
// never the window's controls. It reads the lines as the selection list holds them.
class PictureWalk {
 public:
  // The three sizes a picture is shown at.
  enum class Size { Original, FitWindow, FillScreen };
  // The shapes the window takes.
  enum class Shape {
    ListView,  // normal size, title bar, menus and control panel
    Compact,  // the control panel alone
    Framed,  // TV look: the picture in the list's place, controls in view
    Window,  // the picture fills the borderless window
    OriginalSize,  // the borderless window round the picture at its own size
    FullScreen,  // the picture fills the screen
  };

  // What the walk does at a line of the list.
  enum class Step {
    Show,  // show the picture of the line found
    BeepAtEnd,  // a single display ran off the list: it beeps and keeps its picture
    EndOfShow,  // a show ran off the list: it ends and the list comes back
  };
  struct Place {
    Step step;
    int line;  // the line to show; past the last line after a beep; 0 when a show ends
  };

  // What follows the prompt about a file that could not be shown.
  enum class AfterFailure {
    Stop,  // No: everything stops
    ContinueShow,  // Yes with a show running: it goes on with the next ticked line
    BackToList,  // Yes with no show: the window returns to its list as Stop leaves it
  };

  explicit PictureWalk(const SelectionLines& lines) : lines_(lines) {}

  // The current line and the list's end as the walk sees them.
  int CurrentIndex = 0;  // the line being (or last) displayed
  QString CurrentFileName;  // the highlighted or displayed file
  int LastIndex = -1;  // may run ahead of the lines while the list is being filled
  bool StopRequested = false;  // a running display or show must end
  bool PreviousBusy = false;
  int SlideDelay = 4;  // whole seconds

  // The choices the option controls make.
  bool TvLook = true;
  bool CompactMode = false;
  Size PictureSize = Size::FitWindow;

  // The picture on screen, in the shape the window took for it.
  void showPicture(Shape shape) {
    shown_ = true;
    shape_ = shape;
  }
  void reshape(Shape shape) { shape_ = shape; }
  void hidePicture() { shown_ = false; }
  bool pictureShown() const { return shown_; }
  // The picture's size as shown: the cut size once cut.
  void setPictureSize(QSize size) { size_ = size; }
  QSize pictureSize() const { return size_; }
  Shape shape() const;
  bool fillsScreen() const { return shape() == Shape::FullScreen; }
  // The shape a display takes from the choices.
  Shape displayShape() const;

  // The slide show: from its start until it has ended.
  void startShow() { showRunning_ = true; }
  void endShow() { showRunning_ = false; }
  bool showRunning() const { return showRunning_; }
  // The desktop is kept from blanking the screen.
  bool keepsScreenAwake() const { return fillsScreen() || showRunning_; }

  // The first ticked line at or below the given one.
  Place from(int line, bool slideShow) const;
  // The line a show starts at: the first ticked one from the highlighted
  // line down; -1 when there is none.
  int showStart(int highlighted) const;
  // Previous: the nearest ticked line above the highlighted one; -1 when none.
  int previousTicked(int highlighted) const;
  // Next: the line below the current one; -1 past the end.
  int nextLine(int current) const;

  static bool showGoesOn(bool slideShow, bool stopRequested) { return slideShow && !stopRequested; }
  static AfterFailure afterFailure(bool yes, bool slideShow);

 private:
  bool ticked(int line) const;

  const SelectionLines& lines_;
  bool shown_ = false;
  Shape shape_ = Shape::ListView;
  QSize size_{0, 0};
  bool showRunning_ = false;
};
