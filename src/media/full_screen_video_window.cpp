#include "media/full_screen_video_window.h"

TForm16::TForm16(Program& program) : Form(program, "", QSize(640, 480)) {
  exposeToAccessibility();
}
