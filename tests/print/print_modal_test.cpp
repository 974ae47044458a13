// The options dialog and the preview in the toolkit's real modal sessions: the
// preview hides the dialog and brings it back without ending its session.
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/qt_ui_services.h"
#include "fake_printer.h"
#include "print/print_options_dialog.h"
#include "print/print_preview_window.h"
#include "program_fixture.h"

namespace {

// The user's steps, each taken in turn once its window is up. Each step has a
// timer of its own: a step may open a modal session, and a timer does not fire
// again while its own handler runs.
class User : public QObject {
 public:
  struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
  };
  explicit User(std::vector<Step> steps) : steps_(std::move(steps)) {
    for (std::size_t index = 0; index < steps_.size(); ++index) {
      auto* timer = new QTimer(this);
      connect(timer, &QTimer::timeout, this, [this, index] {
        if (next_ != index || !steps_[index].ready()) return;
        ++next_;
        steps_[index].act();
      });
      timer->start(20);
    }
  }
  bool done() const { return next_ == steps_.size(); }

 private:
  std::vector<Step> steps_;
  std::size_t next_ = 0;
};

TEST(PrintOptionsModal, ThePreviewReturnsToTheDialogWhichThenPrintsWithItsSettings) {
  QtUiServices ui;
  FakePlatform platform;
  IniSettingsBackend settings;
  FakeMediaDeviceFactory devices;
  CorvelaProgram corvela(ui, settings, platform.services(), devices);
  TForm13& options = *corvela.forms.Form13;
  TForm14& preview = *corvela.forms.Form14;
  options.Printer = std::make_unique<FakePrinter>();
  QSize previewSize;
  bool keptSettings = false;

  User user({
      {[&] { return options.isVisible(); },
       [&] {
         options.RadioButton9->click();  // x 6
         options.RadioButton6->click();  // full path
         options.Button3->click();
       }},
      {[&] { return preview.isVisible() && !options.isVisible(); },
       [&] {
         previewSize = preview.client()->size();
         QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
         QApplication::sendEvent(&preview, &press);
       }},
      {[&] { return options.isVisible() && !preview.isVisible(); },
       [&] {
         keptSettings = options.RadioButton9->isChecked() && options.RadioButton6->isChecked();
         options.Button1->click();
       }},
  });
  // A user who gets stuck gives up, so that the test ends.
  QTimer::singleShot(10000, &options, [&] {
    preview.hide();
    options.hide();
  });
  const int zoom = options.Execute({QSize(90, 90), {}, "/pictures/a.bmp", "a.bmp"});

  EXPECT_TRUE(user.done());
  EXPECT_EQ(previewSize, QSize(342, 485));
  EXPECT_TRUE(keptSettings);
  EXPECT_EQ(zoom, 6);
}

}  // namespace
