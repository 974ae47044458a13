#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Forms;
class QPushButton;
class QSlider;

// What the player in front has chosen to play.
struct PlayingTrack {
  QString id;  // stands for the track while it is chosen: "Track3", "File2"
  int number = 0;  // the disc's track number; 0 for a file
  QString title;
  QStringList performers;
};

// The player in front (the CD player or the media player) as the desktop's
// media keys and sound menus see it: its own transport buttons, pressed
// through its own handlers, and what it shows of the track or file playing.
// The two windows' transports have the same shape: Play, Stop, Pause, Next
// and Previous buttons, and a position slider over the track or file.
struct FrontPlayer {
  QPushButton* play = nullptr;
  QPushButton* stop = nullptr;
  QPushButton* pause = nullptr;  // holds and resumes
  QPushButton* next = nullptr;
  QPushButton* previous = nullptr;
  QSlider* slider = nullptr;
  qint64 microsecondsPerSliderStep = 1;
  std::function<void(QPushButton*)> press;
  // Moves the slider as a person drags it, and goes on from there.
  std::function<void(int value)> slideTo;
  std::function<bool()> playing;
  std::function<bool()> paused;
  // Where the track or file stands, and how long it is, in microseconds.
  std::function<qint64()> position;
  std::function<qint64()> length;
  // Nothing while stopped.
  std::function<std::optional<PlayingTrack>()> track;
};

// Nothing when the graphics viewer is in front.
std::optional<FrontPlayer> frontPlayer(Forms& forms);
