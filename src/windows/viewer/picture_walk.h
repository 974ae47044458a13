#pragma once

class SelectionLines;

// The decisions of the walk through the ticked lines that Display, Next,
// Previous and the slide show share, kept apart from the window: handlers
// that run while the walk waits (Stop, Esc, closing) change the window, never
// where the walk is. It reads the lines as the selection list holds them.
class PictureWalk {
 public:
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

  PictureWalk(const SelectionLines& lines, int lastIndex) : lines_(lines), lastIndex_(lastIndex) {}

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
  int lastIndex_;
};
