#include "program/forms.h"

#include "platform/ui_services.h"
#include "widgets/drive_box.h"
#include "windows/cd/cd_player_window.h"
#include "windows/cd/reminder_dialog.h"
#include "windows/cd/single_track_dialog.h"
#include "windows/cd/standard_cd_player_window.h"
#include "windows/cd/status_checking_dialog.h"
#include "windows/common/about_window.h"
#include "windows/common/system_status_window.h"
#include "windows/media/full_screen_video_window.h"
#include "windows/media/media_player_window.h"
#include "windows/media/media_type_chooser.h"
#include "windows/print/print_options_dialog.h"
#include "windows/print/print_preview_window.h"
#include "windows/viewer/graphic_type_chooser.h"
#include "windows/viewer/graphics_viewer_window.h"

Forms::Forms() = default;

// Windows go in the reverse order of their creation, the main window last.
// Every window lets go of its handlers first: controls signal as they are
// destroyed, and windows reach into each other.
Forms::~Forms() {
  for (Form* window : all()) window->letGo();
  Form16.reset();
  Form14.reset();
  Form13.reset();
  Form11.reset();
  Form10.reset();
  Form9.reset();
  Form8.reset();
  Form7.reset();
  Form6.reset();
  Form5.reset();
  Form4.reset();
  Form2.reset();
  Form3.reset();
  Form1.reset();
}

void Forms::createAll(Program& program) {
  Form1 = std::make_unique<TForm1>(program);
  Form3 = std::make_unique<TForm3>(program);
  Form2 = std::make_unique<TForm2>(program);
  Form4 = std::make_unique<TForm4>(program);
  Form5 = std::make_unique<TForm5>(program);
  Form6 = std::make_unique<TForm6>(program);
  Form7 = std::make_unique<TForm7>(program);
  Form8 = std::make_unique<TForm8>(program);
  Form9 = std::make_unique<TForm9>(program);
  // A drive chosen in either list window is chosen in the other.
  DriveBox::tie(*Form4->DriveComboBox1, *Form9->DriveComboBox1);
  Form10 = std::make_unique<TForm10>(program);
  Form11 = std::make_unique<TForm11>(program);
  Form13 = std::make_unique<TForm13>(program);
  Form14 = std::make_unique<TForm14>(program);
  Form16 = std::make_unique<TForm16>(program);
}

// The window in use: the standard CD player stands in for the hidden CD player.
void Forms::restoreMainWindow() {
  Form* window = Form1.get();
  for (Form* main : std::initializer_list<Form*>{Form4.get(), Form8.get(), Form9.get()})
    if (main && !main->isHidden()) window = main;
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

std::vector<Form*> Forms::all() const {
  std::vector<Form*> windows;
  for (Form* window : std::initializer_list<Form*>{
           Form1.get(), Form3.get(), Form2.get(), Form4.get(), Form5.get(), Form6.get(),
           Form7.get(), Form8.get(), Form9.get(), Form10.get(), Form11.get(), Form13.get(),
           Form14.get(), Form16.get()})
    if (window) windows.push_back(window);
  return windows;
}
