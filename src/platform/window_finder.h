#pragma once

#include <QString>

// Top-level windows of other programs, found by their window class.
class WindowFinder {
 public:
  virtual ~WindowFinder() = default;
  virtual bool exists(const QString& windowClass) const = 0;
  // Asks the first window of that class to close, as its close button would.
  virtual void askToClose(const QString& windowClass) = 0;
};

// X11: the WM_CLASS class of top-level windows; closing through WM_DELETE_WINDOW.
// Without an X11 display nothing is found.
class X11WindowFinder : public WindowFinder {
 public:
  bool exists(const QString& windowClass) const override;
  void askToClose(const QString& windowClass) override;
};
