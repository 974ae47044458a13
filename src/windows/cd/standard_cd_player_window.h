#pragma once

#include <memory>

#include "program/form.h"

class MediaDevice;

// The standard CD player: a plain device button bar without track details,
// on a device of its own opened on the CD player's drive.
class TForm8 : public Form {
  Q_OBJECT
 public:
  enum class CDPlayerButton { Play, Pause, Stop, Next, Prev };

  explicit TForm8(Program& program);
  ~TForm8() override;

  void FormActivate() override;
  void CDPlayerClick(CDPlayerButton button);
  void BitBtn1Click();  // &Return To Corvela Pro
  void FormClose() override;

  QLabel* Label1;
  QWidget* CDPlayer;  // the device's own buttons
  QPushButton* CDPlayerPlay;
  QPushButton* CDPlayerPause;
  QPushButton* CDPlayerStop;
  QPushButton* CDPlayerNext;
  QPushButton* CDPlayerPrev;
  QPushButton* BitBtn1;

  std::unique_ptr<MediaDevice> Device;

 private:
  void createButtonBar();
  void stepTrack(int by);
};
