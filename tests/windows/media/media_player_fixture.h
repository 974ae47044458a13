#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "program_fixture.h"
#include "windows/media/media_player_window.h"

// The media player of a whole program on the doubles, with a folder of the
// test's own for the files it chooses.
struct MediaPlayerWorld : ProgramFixture {
  MediaPlayerWorld() {
    start();
    media = forms().Form4.get();
  }

  // Makes each file (a name relative to the folder) and returns their full paths.
  QStringList makeFiles(const QStringList& names) {
    QStringList paths;
    for (const QString& name : names) {
      const QString path = folder.filePath(name);
      QDir().mkpath(QFileInfo(path).path());
      QFile file(path);
      file.open(QIODevice::WriteOnly);
      file.write("media");
      paths << path;
    }
    return paths;
  }
  // Fills the list from the open dialog with the given files, as it returns them.
  void choose(const QStringList& paths) {
    ui.expectOpenFiles(paths);
    media->Button12Click();
  }
  QStringList lineTexts() const {
    QStringList texts;
    for (int row = 0; row < media->ListBox1->count(); ++row)
      texts << media->ListBox1->item(row)->text();
    return texts;
  }
  std::vector<bool> ticks() const {
    std::vector<bool> ticked;
    for (int row = 0; row < media->ListBox1->count(); ++row)
      ticked.push_back(media->ListBox1->item(row)->checkState() == Qt::Checked);
    return ticked;
  }

  QTemporaryDir folder;
  TForm4* media = nullptr;
};

struct MediaPlayerFixture : MediaPlayerWorld, ::testing::Test {};
