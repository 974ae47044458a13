#pragma once

#include <dlfcn.h>

#include <QFile>

#include "fake_mpeg/fake_mpeg.h"
#include "media_player_fixture.h"
#include "platform/timer.h"
#include "services/mpeg/mpeg_player.h"

// The media player on the fake devices and the fake MPEG library, shown, with
// both of its timers ticked by hand as the clock moves.
struct MediaPlaybackWorld : MediaPlayerWorld {
  MediaPlaybackWorld() {
    TMPEGPlayer& component = *media->MPlayer1;
    component.UnloadMPEGLibrary();
    component.setPathToDLL(FAKE_MPEG_DIR);
    component.LoadMPEGLibrary();
    library = dlopen(QFile::encodeName(component.LibraryFileName()).constData(), RTLD_NOW);
    mpeg = reinterpret_cast<FakeMpeg* (*)()>(dlsym(library, "fakeMpeg"))();
    *mpeg = FakeMpeg{};
    media->show();
  }
  ~MediaPlaybackWorld() { dlclose(library); }

  // Files of the given lengths in seconds, known to the device that plays
  // each (MPEG audio to the MPEG library, the rest to the MCI device), chosen
  // in the open dialog with all their lines ticked.
  QStringList chooseFiles(const std::vector<std::pair<QString, int>>& files) {
    QStringList names;
    for (const auto& file : files) names << file.first;
    const QStringList paths = makeFiles(names);
    for (size_t n = 0; n < files.size(); ++n) {
      const int lengthMs = files[n].second * 1000;
      if (paths[n].endsWith(".mp3") || paths[n].endsWith(".mp2"))
        mpeg->lengths[paths[n].toStdString()] = lengthMs;
      else
        devices.addFile(paths[n], lengthMs);
    }
    choose(paths);
    return paths;
  }
  void untick(int row) { media->ListBox1->item(row)->setCheckState(Qt::Unchecked); }

  // Time passes: the MPEG component's timer every half second, the step every
  // second while it runs.
  void run(int milliseconds) {
    for (int passed = 500; passed <= milliseconds; passed += 500) {
      devices.advance(500);
      mpeg->advance(500);
      media->MPlayer1->poll();
      if (passed % 1000 == 0 && media->Timer1->Enabled()) media->Timer1Timer(media->Timer1);
    }
  }
  QString playing() const { return media->Label6->text(); }
  QString clock() const { return media->Label3->text() + media->Label4->text(); }

  void* library = nullptr;
  FakeMpeg* mpeg = nullptr;
};

struct MediaPlaybackFixture : MediaPlaybackWorld, ::testing::Test {};
