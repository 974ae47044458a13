#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

class Form;
class Forms;

// Files the desktop hands the program: named on its command line, or on a
// later copy's. The first file the program knows decides which window takes
// them (a cue sheet the CD player, sound and video the media player, pictures
// the graphics viewer); with folders only, sound and video go before pictures.
// That window comes to the front through the commands of the window in front,
// then takes the files as from its own dialog and plays them, shows the first,
// or loads the disc. Nothing cuts into a handler that is under way: the files
// wait for it.
// The MIME types of the files the program takes: what the desktop's media
// controls may offer it.
QStringList handedFileTypes();

class HandedFiles : public QObject {
 public:
  explicit HandedFiles(Forms& forms);

  // Relative paths are taken from workingDirectory.
  void open(const QString& workingDirectory, const QStringList& paths);

 private:
  void step();
  void chooseWindow();
  void giveFiles();
  bool bringForward(Form& target);
  void finish();

  Forms& forms_;
  QStringList paths_;
  Form* taker_ = nullptr;
  QElapsedTimer waitingForTaker_;
  QTimer steps_;
};
