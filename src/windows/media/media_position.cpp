// Where the file stands: the clock, the slider, the gauge and the labels of
// the file that plays; and seeking with the slider.
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSlider>

#include "platform/timer.h"
#include "program/number_format.h"
#include "services/mpeg/mpeg_player.h"
#include "windows/media/media_player_window.h"

namespace {

// Beyond this an MCI position is taken for a device's nonsense, not shown.
constexpr int kLongestShownSeconds = 5945;
// Titles longer than this start at the left so that their beginning shows.
constexpr int kLongestCentredTitle = 22;

}  // namespace

bool TForm4::remainingChosen() const { return RadioGroup1Remaining->isChecked(); }

void TForm4::showClock(int seconds) {
  Label3->setText(QString::number(seconds / 60) + ":");
  Label4->setText(QString::asprintf("%.2d", seconds % 60));
}

void TForm4::showPlayTime(int minutes, int seconds) {
  Label5->setText(QString("Play time: %1:%2").arg(minutes).arg(seconds, 2, 10, QChar('0')));
}

void TForm4::showFileSize(const QString& fileName) {
  QFile file(fileName);
  const qint64 size = file.open(QIODevice::ReadOnly) ? file.size() : 0;
  Label2->setText("File size: " + formatCount(static_cast<std::uint64_t>(size)));
}

// The playing count, written before the cursor moves past the started line, and the names.
void TForm4::showNowPlaying(const QString& fileName) {
  Label6->setText(QString("Playing: %1 of %2").arg(Sequence.PlayCursor() + 1).arg(LastIndex + 1));
  CurrentFileName = fileName;
  CurrentTitle = fileName.mid(fileName.lastIndexOf('/') + 1);
  Label1->setText(CurrentTitle.toUpper());
  Label1->setAlignment(CurrentTitle.size() > kLongestCentredTitle ? Qt::AlignLeft | Qt::AlignVCenter
                                                                  : Qt::AlignCenter);
}

// What Next and Previous empty before the next file starts.
void TForm4::emptyFileLabels() {
  for (QLabel* label : {Label1, Label3, Label4, Label2, Label5}) label->clear();
}

void TForm4::showMciPosition(QObject* Sender) {
  MediaPlayer1->setTimeFormat(TimeFormat::Milliseconds);
  const int position = static_cast<int>(MediaPlayer1->position());
  const int played = position / 1000;
  const int shown = remainingChosen() ? CurrentLength - played : played;
  if (shown < 0 || shown >= kLongestShownSeconds) return;
  if (Sender != Button4) TrackBar1->setValue(position);
  Gauge1->setValue(remainingChosen() ? Gauge1->maximum() - played : played);
  showClock(shown);
}

void TForm4::MPlayer1PosUpdate(int /*Pos*/, int /*Len*/) {
  if (focusWidget() == TrackBar1) Button4->setFocus();
  const int position = std::abs(MPlayer1->CurrentPos());
  const int length = MPlayer1->Length();
  const int shown = remainingChosen() ? (length - position) / 1000 : MPlayer1->CurrentPos() / 1000;
  if (shown > 0) showPlayTime(length / 60000, length / 1000 % 60);
  if (shown < 0) return;
  TrackBar1->setValue(position);
  Gauge1->setValue(remainingChosen() ? Gauge1->maximum() - position : position);
  showClock(shown);
}

// Only the user moves the slider: every programmatic move happens with the focus elsewhere.
void TForm4::TrackBar1Change() {
  if (focusWidget() != TrackBar1) return;
  if (!Sequence.MpegActive() && Sequence.mciPlaying()) {
    Timer1->setEnabled(false);
    MediaPlayer1->pause();
    const int played = static_cast<int>(MediaPlayer1->position()) / 1000;
    showClock(played);
    Gauge1->setValue(played);
    MediaPlayer1->setStart(static_cast<std::uint32_t>(TrackBar1->value()));
    MediaPlayer1->setNotify(true);
    MediaPlayer1->play();
    Timer1->setEnabled(true);
  } else if (Sequence.MpegActive() && Sequence.mpegPlaying()) {
    MPlayer1->setUseTimer(false);
    Timer1->setEnabled(false);
    // However the seek goes, both timers run again: the position reports only
    // once the user has let go of the slider, or they would pull it back.
    const auto timersBack = qScopeGuard([this] {
      Timer1->setEnabled(true);
      MPlayer1->setUseTimer(!TrackBar1->isSliderDown());
    });
    const int played = MPlayer1->CurrentPos() / 1000;
    MPlayer1->Seek(TrackBar1->value());
    showClock(played);
    Gauge1->setValue(TrackBar1->value());
    repaint();
  }
}

// A slider held down is the user's: no position report moves it meanwhile.
void TForm4::TrackBar1Held(bool held) {
  if (Sequence.MpegActive()) MPlayer1->setUseTimer(!held);
}
