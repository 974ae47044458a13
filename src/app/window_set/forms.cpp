#include "app/window_set/forms.h"

#include "app/ui_services.h"
#include "app/windows/about_window.h"
#include "app/windows/system_status_window.h"
#include "cd/cd_player_window.h"
#include "cd/reminder_dialog.h"
#include "cd/single_track_dialog.h"
#include "cd/standard_cd_player_window.h"
#include "cd/status_checking_dialog.h"
#include "lists/drive_box.h"
#include "media/full_screen_video_window.h"
#include "media/media_player_window.h"
#include "media/media_type_chooser.h"
#include "print/print_options_dialog.h"
#include "print/print_preview_window.h"
#include "viewer/graphic_type_chooser.h"
#include "viewer/graphics_viewer_window.h"

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

void CorvelaProgram::SaveSettingsIfStillActive() {
  if (!state.settings.Active) return;
  state.settings.Active = false;
  store.SaveSettings();
}

void Forms::restoreMainWindow() {
  Form* window = Form1.get();
  for (Form* main : std::initializer_list<Form*>{Form4.get(), Form9.get()})
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

CorvelaProgram::CorvelaProgram(UiServices& ui, SettingsBackend& settingsBackend,
                               PlatformServices platform, MediaDeviceFactory& devices)
    : platformServices(platform),
      store(state.settings, settingsBackend, ui),
      program{state, store, ui, platformServices, devices, forms, forms} {
  ui.setApplicationTitle("Corvela Pro");
  forms.createAll(program);
}
