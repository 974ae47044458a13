#include "wiring/front_player.h"

#include <QFileInfo>
#include <QPushButton>
#include <QSlider>
#include <functional>
#include <type_traits>

#include "program/forms.h"
#include "services/media_device/disc_toc.h"
#include "windows/cd/cd_player_window.h"
#include "windows/media/media_player_window.h"
#include "wiring/front_window.h"

namespace {

// The media player's slider only answers a person's drag: it has the focus
// while it moves, and lets it go once the move is complete, so the window's
// own moves of it are not taken for drags. The control that had the focus
// may have been disabled by the move and not taken it back: the slider lets
// go of it all the same.
void drag(QSlider& slider, int value) {
  QWidget* before = slider.window()->focusWidget();
  slider.setFocus();
  slider.setValue(value);
  if (before && before != &slider) before->setFocus();
  if (slider.window()->focusWidget() == &slider) slider.clearFocus();
}

// A command run as its button runs it: with the button as its origin where it takes one.
template <class Window, class Handler>
void pressWith(Window& window, Handler handler, QPushButton* button) {
  if constexpr (std::is_invocable_v<Handler, Window&, QObject*>)
    std::invoke(handler, window, button);
  else
    std::invoke(handler, window);
}

// The two windows' transports have the same controls under the same names.
template <class Window>
FrontPlayer transportOf(Window& window, qint64 microsecondsPerSliderStep) {
  FrontPlayer player;
  player.play = window.Button1;
  player.stop = window.Button2;
  player.pause = window.Button3;
  player.next = window.Button4;
  player.previous = window.Button5;
  player.slider = window.TrackBar1;
  player.microsecondsPerSliderStep = microsecondsPerSliderStep;
  player.position = [&window, microsecondsPerSliderStep] {
    return qint64(window.TrackBar1->value()) * microsecondsPerSliderStep;
  };
  player.length = [&window, microsecondsPerSliderStep] {
    return qint64(window.TrackBar1->maximum()) * microsecondsPerSliderStep;
  };
  player.press = [&window](QPushButton* button) {
    if (button == window.Button1) pressWith(window, &Window::Button1Click, button);
    if (button == window.Button2) pressWith(window, &Window::Button2Click, button);
    if (button == window.Button3) pressWith(window, &Window::Button3Click, button);
    if (button == window.Button4) pressWith(window, &Window::Button4Click, button);
    if (button == window.Button5) pressWith(window, &Window::Button5Click, button);
  };
  return player;
}

FrontPlayer cdPlayer(TForm1& cd) {
  FrontPlayer player = transportOf(cd, 1'000'000);
  player.slideTo = [&cd](int value) { cd.PlayFrom(value); };
  const CdPlayback& playback = cd.Playback;
  player.paused = [&playback] { return playback.paused(); };
  player.playing = [&playback] { return playback.trackPlaying() && !playback.paused(); };
  player.track = [&cd, &playback]() -> std::optional<PlayingTrack> {
    const std::optional<int> track = playback.trackPlaying();
    if (!track) return std::nullopt;
    const CdText text = cd.TrackText(*track);
    return PlayingTrack{
        .id = QString("Track%1").arg(*track),
        .number = *track,
        // A disc without CD-Text still names its tracks in the media controls.
        .title = text.title.isEmpty() ? QString("Track %1").arg(*track) : text.title,
        .performers = text.performer.isEmpty() ? QStringList() : QStringList{text.performer}};
  };
  return player;
}

FrontPlayer mediaPlayer(TForm4& media) {
  FrontPlayer player = transportOf(media, 1'000);
  player.slideTo = [&media](int value) { drag(*media.TrackBar1, value); };
  const PlaySequence& playback = media.Sequence;
  player.paused = [&playback] { return playback.paused(); };
  player.playing = [&playback] { return playback.playing(); };
  player.position = [&playback] { return qint64(playback.position()) * 1'000; };
  player.length = [&playback] { return qint64(playback.length()) * 1'000; };
  player.track = [&playback]() -> std::optional<PlayingTrack> {
    const QString file = playback.fileHeld();
    if (file.isEmpty()) return std::nullopt;
    return PlayingTrack{.id = QString("File%1").arg(playback.playingLine()),
                        .number = 0,
                        .title = QFileInfo(file).completeBaseName(),
                        .performers = {}};
  };
  return player;
}

}  // namespace

std::optional<FrontPlayer> frontPlayer(Forms& forms) {
  Form& front = frontWindow(forms);
  if (&front == forms.Form1.get()) return cdPlayer(*forms.Form1);
  if (&front == forms.Form4.get()) return mediaPlayer(*forms.Form4);
  return std::nullopt;
}
