// Ending the program from the CD player window.
#include <QLabel>

#include "platform/platform_services.h"
#include "platform/taskbar.h"
#include "platform/timer.h"
#include "platform/ui_services.h"
#include "program/clipboard_question.h"
#include "program/program_state.h"
#include "windows/cd/cd_player_window.h"

void TForm1::BitBtn1Click() {
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  close();
}

void TForm1::Exit1Click() { BitBtn1Click(); }

bool TForm1::FormCloseQuery() {
  AskToEmptyClipboard(program_.state, program_.ui);
  return true;
}

// A disc that plays may go on playing after the program has ended, from where
// it is to the end of the disc (the last track too, which an end at the start
// of the last track would cut off or refuse).
void TForm1::leaveDiscPlayingOrStop() {
  if (MediaPlayer1->mode() != DeviceMode::Playing) return;
  if (program_.ui.askYesNo("Corvela Pro CD Player", "Would you like to leave the CD playing?") ==
      Answer::Yes) {
    MediaPlayer1->setStart(MediaPlayer1->position());
    MediaPlayer1->play();
    return;
  }
  MediaPlayer1->stop();
  if (MediaPlayer1->mode() == DeviceMode::Open) MediaPlayer1->close();
}

void TForm1::FormClose() {
  if (Image1->isHidden()) {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    program_.platform.taskbar.show();
    try {
      leaveDiscPlayingOrStop();
    } catch (const MediaDeviceError&) {
      // The drive failing now must not keep the program from ending.
    }
  }
  EndRun();
}

void TForm1::EndRun() {
  ProgramState& state = program_.state;
  if (state.RandomUsedThisRun)
    state.settings.Random =
        program_.ui.askYesNo("Corvela Pro CD Player",
                             "You have used random play CD during this session.\r\rWould you like "
                             "to start in this mode next time?") == Answer::Yes;
  saveWithActive(false);
  program_.ui.terminate();
}
