#include "windows/cd/standard_cd_player_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <algorithm>

#include "platform/ui_services.h"
#include "program/forms.h"
#include "services/media_device/disc_toc.h"
#include "services/media_device/media_device_factory.h"
#include "windows/cd/cd_drive_checks.h"
#include "windows/cd/cd_player_window.h"

TForm8::TForm8(Program& program)
    : Form(program, "Corvela Pro Standard CD Player", QSize(300, 100)),
      Device(program.devices.create(DeviceType::CdAudio)) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  Label1 = label("Label1", "   Play     Pause    Stop      Next      Prev", QRect(40, 8, 230, 16));
  createButtonBar();
  BitBtn1 = button("BitBtn1", "&Return To Corvela Pro", QString(), QRect(70, 64, 160, 26));
  handle(BitBtn1, &QPushButton::clicked, &TForm8::BitBtn1Click);
  exposeToAccessibility();
}

TForm8::~TForm8() = default;

void TForm8::createButtonBar() {
  CDPlayer = new QWidget(client());
  CDPlayer->setObjectName("CDPlayer");
  CDPlayer->setGeometry(40, 26, 220, 28);
  const struct {
    QPushButton** member;
    CDPlayerButton which;
    const char* caption;
  } buttons[] = {{&CDPlayerPlay, CDPlayerButton::Play, "Play"},
                 {&CDPlayerPause, CDPlayerButton::Pause, "Pause"},
                 {&CDPlayerStop, CDPlayerButton::Stop, "Stop"},
                 {&CDPlayerNext, CDPlayerButton::Next, "Next"},
                 {&CDPlayerPrev, CDPlayerButton::Prev, "Prev"}};
  int left = 0;
  for (const auto& [member, which, caption] : buttons) {
    auto* control = new QPushButton(caption, CDPlayer);
    control->setObjectName(QString("CDPlayer") + caption);
    control->setGeometry(left, 0, 44, 28);
    control->hide();
    left += 44;
    handle(control, &QPushButton::clicked, [this, which = which] { CDPlayerClick(which); });
    *member = control;
  }
}

void TForm8::FormActivate() {
  TForm1& cd = *program_.forms.Form1;
  UiServices& ui = program_.ui;
  setWindowState(Qt::WindowNoState);
  // With one drive the device opens the first drive, as the system's default does.
  const QString element =
      cd.ComboBox1->count() > 1 ? cdDriveName(cd.ComboBox1->currentText()) : QString();
  if (!openDriveOrReportHeld(*Device, element, ui)) {
    ui.terminate();
    return;
  }
  if (!discInDriveOrReportEmpty(*Device, program_.devices.discProblem(cd.DeviceName), ui)) {
    close();
    return;
  }
  for (QPushButton* control :
       {CDPlayerPlay, CDPlayerPause, CDPlayerStop, CDPlayerNext, CDPlayerPrev})
    control->show();
}

void TForm8::CDPlayerClick(CDPlayerButton button) {
  try {
    switch (button) {
      case CDPlayerButton::Play:
        Device->play();
        break;
      case CDPlayerButton::Pause:
        Device->pause();
        break;
      case CDPlayerButton::Stop:
        Device->stop();
        // The device does not rewind by itself: the next Play starts at track 1.
        Device->seek(1);
        break;
      case CDPlayerButton::Next:
        stepTrack(+1);
        break;
      case CDPlayerButton::Prev:
        stepTrack(-1);
        break;
    }
  } catch (const MediaDeviceError& error) {
    program_.ui.messageDlg(MessageKind::Error, error.message());
  }
}

// To the start of the neighbouring track; a playing disc plays on from there.
void TForm8::stepTrack(int by) {
  const int last = std::max(1, Device->trackCount());
  const int track = std::clamp(unpackTmsf(Device->position()).track + by, 1, last);
  if (Device->mode() == DeviceMode::Playing) {
    Device->setStart(static_cast<std::uint32_t>(track));
    Device->play();
  } else {
    Device->seek(static_cast<std::uint32_t>(track));
  }
}

void TForm8::BitBtn1Click() { close(); }

void TForm8::FormClose() {
  TForm1& cd = *program_.forms.Form1;
  stopAndClose(*Device);
  cd.show();
  cd.CheckBox3->setChecked(false);
  for (QWidget* control : {cd.Button1, cd.Button2, cd.Button3, cd.Button4, cd.Button5, cd.Button8,
                           cd.Button9, cd.Button10, cd.Button13})
    control->setEnabled(false);
  cd.PlayaSingleCDTrack1->setEnabled(false);
  cd.raise();
  cd.activateWindow();
}
