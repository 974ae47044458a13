#include "app/desktop/front_player.h"

#include <QFileInfo>
#include <QPushButton>
#include <QSlider>

#include "app/desktop/front_window.h"
#include "app/media_device/disc_toc.h"
#include "app/media_device/media_device.h"
#include "app/timer.h"
#include "app/window_set/forms.h"
#include "cd/cd_player_window.h"
#include "media/media_player_window.h"

namespace {

// The slider only answers a person's drag: it has the focus while it moves,
// and gives it back after, so the window's own moves of it are not taken for drags.
void drag(QSlider& slider, int value) {
  QWidget* before = slider.window()->focusWidget();
  slider.setFocus();
  slider.setValue(value);
  if (before && before != &slider)
    before->setFocus();
  else
    slider.clearFocus();
}

FrontPlayer cdPlayer(TForm1& cd) {
  const auto playing = [&cd] { return cd.CurrentTrack > 0 && cd.Timer1->Enabled(); };
  return {
      .play = cd.Button1,
      .stop = cd.Button2,
      .pause = cd.Button3,
      .next = cd.Button4,
      .previous = cd.Button5,
      .slider = cd.TrackBar1,
      .microsecondsPerSliderStep = 1'000'000,
      .press =
          [&cd](QPushButton* button) {
            if (button == cd.Button1) cd.Button1Click(button);
            if (button == cd.Button2) cd.Button2Click(button);
            if (button == cd.Button3) cd.Button3Click();
            if (button == cd.Button4) cd.Button4Click();
            if (button == cd.Button5) cd.Button5Click();
          },
      // The disc waits at the new place until "Cont" is pressed.
      .slideTo =
          [&cd](int value) {
            drag(*cd.TrackBar1, value);
            if (cd.Button14->isEnabled()) cd.Button14Click();
          },
      .playing = playing,
      .paused = [&cd, playing] { return cd.CurrentTrack > 0 && !playing() && cd.Button3->isEnabled(); },
      .track = [&cd]() -> std::optional<PlayingTrack> {
        if (cd.CurrentTrack <= 0) return std::nullopt;
        const CdText text = cd.TrackText(cd.CurrentTrack);
        return PlayingTrack{.id = QString("Track%1").arg(cd.CurrentTrack),
                            .number = cd.CurrentTrack,
                            .title = text.title,
                            .performers = text.performer.isEmpty() ? QStringList()
                                                                   : QStringList{text.performer}};
      },
  };
}

FrontPlayer mediaPlayer(TForm4& media) {
  const auto paused = [&media] {
    return (media.MpegActive && media.MpegPaused) ||
           (!media.MpegActive && media.MediaPlayer1->mode() == DeviceMode::Paused);
  };
  const auto playing = [&media, paused] { return media.Timer1->Enabled() && !paused(); };
  return {
      .play = media.Button1,
      .stop = media.Button2,
      .pause = media.Button3,
      .next = media.Button4,
      .previous = media.Button5,
      .slider = media.TrackBar1,
      .microsecondsPerSliderStep = 1'000,
      .press =
          [&media](QPushButton* button) {
            if (button == media.Button1) media.Button1Click(button);
            if (button == media.Button2) media.Button2Click(button);
            if (button == media.Button3) media.Button3Click();
            if (button == media.Button4) media.Button4Click(button);
            if (button == media.Button5) media.Button5Click(button);
          },
      .slideTo = [&media](int value) { drag(*media.TrackBar1, value); },
      .playing = playing,
      .paused = paused,
      .track = [&media, playing, paused]() -> std::optional<PlayingTrack> {
        if (!(playing() || paused()) || media.CurrentFileName.isEmpty()) return std::nullopt;
        return PlayingTrack{.id = QString("File%1").arg(media.PlayCursor),
                            .number = 0,
                            .title = QFileInfo(media.CurrentFileName).completeBaseName(),
                            .performers = {}};
      },
  };
}

}  // namespace

std::optional<FrontPlayer> frontPlayer(Forms& forms) {
  Form& front = frontWindow(forms);
  if (&front == forms.Form1.get()) return cdPlayer(*forms.Form1);
  if (&front == forms.Form4.get()) return mediaPlayer(*forms.Form4);
  return std::nullopt;
}
